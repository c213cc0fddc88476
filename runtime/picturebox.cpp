#include "picturebox.h"

#include <QPainter>

#include "color.h"

namespace rt {

PictureBox::PictureBox(QWidget* container)
    : InputControl(container, true), picture_(emptyPicture()), backColor_(sysColor(0x0F)) {
    setFocusPolicy(Qt::StrongFocus);
}

void PictureBox::setPicture(PicturePtr p) {
    if (!p) p = emptyPicture();
    const bool same = p == picture_;
    picture_ = std::move(p);
    if (autoSize_ && !picture_->isEmpty()) {
        QRectF r = twipsRect();
        r.setSize(
            QSizeF(picture_->widthPx() * kTwipsPerPixel, picture_->heightPx() * kTwipsPerPixel));
        setTwipsRect(r);
    }
    if (!same) update();
}

void PictureBox::setBackColor(Long c) {
    backColor_ = c;
    update();
}
void PictureBox::setBorderStyle(int v) {
    borderStyle_ = v;
    update();
}
void PictureBox::setAutoSize(bool v) {
    autoSize_ = v;
}

void PictureBox::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), toQColor(backColor_));
    if (picture_ && !picture_->isEmpty()) p.drawImage(QPoint(0, 0), picture_->image());
    if (borderStyle_ == 1) {
        p.setPen(QColor(0xA0, 0xA0, 0xA0));
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

}  // namespace rt
