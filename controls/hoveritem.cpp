#include "hoveritem.h"

#include <QFont>
#include <QPoint>

#include "runtime/convert.h"
#include "runtime/services.h"

namespace controls {

HoverItem::HoverItem(QWidget* container) : rt::UserControl(container), timer1_(nullptr) {
    setScaleMode(rt::vbPixels);
    timer1_ = new rt::Timer(this);
    timer1_->setObjectName(QStringLiteral("Timer1"));
    timer1_->setEnabled(false);
    timer1_->setInterval(1);
    timer1_->setPointerPoll(true);
    timer1_->Tick.handle([this] { leavePollTick(); });
}

bool HoverItem::PointerOverControl() {
    // The constituents are windowless, so the pointer over any of them is
    // over the control; a window lying on top of it makes it outside.
    QPoint p;
    rt::GetCursorPos(p);
    return rt::WindowFromPoint(p.x(), p.y()) == hWnd();
}

rt::Long HoverItem::ofState(rt::Long normal, rt::Long hover, rt::Long down) const {
    if (state_ == StateHover) return hover;
    if (state_ == StateDown) return down;
    return normal;
}

void HoverItem::repaintNow() {
    // A control that is not on screen gets no paint until it is shown.
    if (isVisible())
        Refresh();
    else
        update();
}

void HoverItem::movedOver(rt::Integer& button, rt::Integer& shift, rt::Single& x, rt::Single& y) {
    MouseMove(button, shift, x, y);
    // The window's handler may have changed the arguments; go on with them.
    if (button >= 2) return;
    if (!PointerOverControl()) {
        hover_ = false;
        state_ = StateNormal;
        ApplyStateColors();
    } else if (button == 0 && !hover_) {
        timer1_->setEnabled(true);
        hover_ = true;
        MouseEnter();
        state_ = StateHover;
        ApplyStateColors();
    } else if (button == rt::vbLeftButton) {
        hover_ = true;
        state_ = StateDown;
        ApplyStateColors();
        hover_ = false;
    }
}

void HoverItem::pressedOn(rt::Integer& button, rt::Integer& shift, rt::Single& x, rt::Single& y) {
    MouseDown(button, shift, x, y);
    if (button == rt::vbLeftButton) {
        state_ = StateDown;
        ApplyStateColors();
    }
}

void HoverItem::releasedOn(rt::Integer& button, rt::Integer& shift, rt::Single& x, rt::Single& y) {
    MouseUp(button, shift, x, y);
    state_ = PointerOverControl() ? StateHover : StateNormal;
    Click();
    ApplyStateColors();
}

void HoverItem::leavePollTick() {
    if (PointerOverControl()) return;
    timer1_->setEnabled(false);
    hover_ = false;
    MouseLeave();
    state_ = StateNormal;
    ApplyStateColors();
}

void HoverItem::setSurfaceFontName(const QString& name) {
    QFont f = Font();
    f.setFamily(name);
    setFont(f);
}

QString HoverItem::fontNameFrom(const QVariant& stored) {
    return stored.typeId() == QMetaType::QFont ? stored.value<QFont>().family() : rt::CStr(stored);
}

void HoverItem::UserControl_Resize() {
    Resize();
    Ajustar_Botao();
}

void HoverItem::UserControl_DblClick() {
    DblClick();
}

void HoverItem::UserControl_KeyDown(rt::Integer& keyCode, rt::Integer& shift) {
    // Arrow keys walk the focus like Tab and Shift+Tab; Enter never clicks.
    switch (keyCode) {
        case 39:
        case 40:
            rt::SendKeys(QStringLiteral("{TAB}"));
            break;
        case 37:
        case 38:
            rt::SendKeys(QStringLiteral("+{TAB}"));
            break;
        default:
            break;
    }
    KeyDown(keyCode, shift);
}

void HoverItem::UserControl_KeyPress(rt::Integer& keyAscii) {
    KeyPress(keyAscii);
}

void HoverItem::UserControl_KeyUp(rt::Integer& keyCode, rt::Integer& shift) {
    KeyUp(keyCode, shift);
    repaintNow();
}

}  // namespace controls
