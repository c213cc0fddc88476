#include "usercontrol.h"

#include <QPainter>

#include "color.h"
#include "form.h"

namespace rt {

UserControl::UserControl(QWidget* container)
    : Control(container, true), backColor_(sysColor(0x0F)) {
    setFocusPolicy(Qt::StrongFocus);
}

void UserControl::setBackColor(Long c) {
    backColor_ = c;
    update();
}

QFont UserControl::AmbientFont() const {
    const Form* f = parentForm();
    return f ? f->font() : QWidget::font();
}

std::vector<QObject*> UserControl::ParentControls() const {
    const Form* f = parentForm();
    return f ? f->Controls() : std::vector<QObject*>{};
}

void UserControl::Refresh() {
    if (!painting_) {
        painting_ = true;
        UserControl_Paint();
        painting_ = false;
    }
    update();
}

void UserControl::paintEvent(QPaintEvent*) {
    {
        QPainter p(this);
        p.fillRect(rect(), toQColor(backColor_));
    }
    if (!painting_) {
        painting_ = true;
        UserControl_Paint();
        painting_ = false;
    }
}

}  // namespace rt
