#include "control.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <cmath>

#include "form.h"
#include "services.h"

namespace rt {

double Scalable::ScaleWidth() const {
    return scaleWidget()->width() * kTwipsPerPixel / unitTwips();
}
double Scalable::ScaleHeight() const {
    return scaleWidget()->height() * kTwipsPerPixel / unitTwips();
}

double containerUnitTwips(const QWidget* container) {
    for (const QWidget* w = container; w; w = w->parentWidget())
        if (auto* s = dynamic_cast<const Scalable*>(w)) return s->unitTwips();
    return 1.0;
}

namespace {

// Only the three buttons the runtime knows raise mouse events.
bool knownButton(Qt::MouseButton b) {
    return Control::buttonOf(b) != 0;
}

}  // namespace

Control::Control(QWidget* container, bool windowed) : QWidget(container), windowed_(windowed) {
    setMouseTracking(true);
    if (windowed) return;
    setFocusPolicy(Qt::NoFocus);
    // A windowless control is drawn on its container's surface, so every
    // windowed control of that container lies above it, whatever the order
    // of creation; among themselves windowless controls keep that order.
    if (!container) return;
    for (QObject* o : container->children()) {
        auto* sibling = dynamic_cast<Control*>(o);
        if (sibling && sibling != this && sibling->windowed_) {
            stackUnder(sibling);
            break;
        }
    }
}

Form* Control::parentForm() const {
    for (QWidget* w = parentWidget(); w; w = w->parentWidget())
        if (auto* f = dynamic_cast<Form*>(w)) return f;
    return nullptr;
}

double Control::Left() const {
    return twips_.left() / containerUnitTwips(parentWidget());
}
double Control::Top() const {
    return twips_.top() / containerUnitTwips(parentWidget());
}
double Control::Width() const {
    return twips_.width() / containerUnitTwips(parentWidget());
}
double Control::Height() const {
    return twips_.height() / containerUnitTwips(parentWidget());
}

void Control::setLeft(double v) {
    twips_.moveLeft(v * containerUnitTwips(parentWidget()));
    applyTwips();
}
void Control::setTop(double v) {
    twips_.moveTop(v * containerUnitTwips(parentWidget()));
    applyTwips();
}
void Control::setWidth(double v) {
    twips_.setWidth(v * containerUnitTwips(parentWidget()));
    applyTwips();
}
void Control::setHeight(double v) {
    twips_.setHeight(v * containerUnitTwips(parentWidget()));
    applyTwips();
}

void Control::Move(double left, double top, double width, double height) {
    const double u = containerUnitTwips(parentWidget());
    QRectF r = twips_;
    r.moveTo(left * u, top * u);
    if (width >= 0) r.setWidth(width * u);
    if (height >= 0) r.setHeight(height * u);
    setTwipsRect(r);
}

void Control::setTwipsRect(const QRectF& r) {
    twips_ = r;
    applyTwips();
}

void Control::applyTwips() {
    const auto px = [](double t) {
        return static_cast<int>(std::lround(withinPixelRange(t / kTwipsPerPixel)));
    };
    setGeometry(px(twips_.left()), px(twips_.top()), std::max(0, px(twips_.width())),
                std::max(0, px(twips_.height())));
    const QSize s(static_cast<int>(std::lround(withinPixelRange(twips_.width()))),
                  static_cast<int>(std::lround(withinPixelRange(twips_.height()))));
    if (s != lastSize_) {
        lastSize_ = s;
        resized();
    }
}

void Control::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
}

void Control::changeEvent(QEvent* e) {
    QWidget::changeEvent(e);
    // A disabled window cannot keep the mouse capture.
    if (e->type() == QEvent::EnabledChange && !isEnabled() && GetCapture() == this)
        TakeCaptureAway();
}

double Control::eventUnitTwips() const {
    return containerUnitTwips(parentWidget());
}

QPointF Control::eventPoint(const QPointF& local) const {
    const double k = kTwipsPerPixel / eventUnitTwips();
    return {local.x() * k, local.y() * k};
}

Integer Control::buttonOf(Qt::MouseButton b) {
    switch (b) {
        case Qt::LeftButton:
            return vbLeftButton;
        case Qt::RightButton:
            return vbRightButton;
        case Qt::MiddleButton:
            return vbMiddleButton;
        default:
            return 0;
    }
}

Integer Control::buttonsOf(Qt::MouseButtons b) {
    Integer r = 0;
    if (b & Qt::LeftButton) r |= vbLeftButton;
    if (b & Qt::RightButton) r |= vbRightButton;
    if (b & Qt::MiddleButton) r |= vbMiddleButton;
    return r;
}

Integer Control::shiftOf(Qt::KeyboardModifiers m) {
    Integer r = 0;
    if (m & Qt::ShiftModifier) r |= vbShiftMask;
    if (m & Qt::ControlModifier) r |= vbCtrlMask;
    if (m & Qt::AltModifier) r |= vbAltMask;
    return r;
}

Integer Control::keyCodeOf(int k) {
    if (k >= Qt::Key_A && k <= Qt::Key_Z) return static_cast<Integer>(k);
    if (k >= Qt::Key_0 && k <= Qt::Key_9) return static_cast<Integer>(k);
    if (k >= Qt::Key_F1 && k <= Qt::Key_F24) return static_cast<Integer>(112 + (k - Qt::Key_F1));
    switch (k) {
        case Qt::Key_Backspace:
            return 8;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            return 9;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return 13;
        case Qt::Key_Shift:
            return 16;
        case Qt::Key_Control:
            return 17;
        case Qt::Key_Alt:
            return 18;
        case Qt::Key_Pause:
            return 19;
        case Qt::Key_CapsLock:
            return 20;
        case Qt::Key_Escape:
            return 27;
        case Qt::Key_Space:
            return 32;
        case Qt::Key_PageUp:
            return 33;
        case Qt::Key_PageDown:
            return 34;
        case Qt::Key_End:
            return 35;
        case Qt::Key_Home:
            return 36;
        case Qt::Key_Left:
            return 37;
        case Qt::Key_Up:
            return 38;
        case Qt::Key_Right:
            return 39;
        case Qt::Key_Down:
            return 40;
        case Qt::Key_Insert:
            return 45;
        case Qt::Key_Delete:
            return 46;
        default:
            return static_cast<Integer>(k & 0xFF);
    }
}

void Control::mousePressEvent(QMouseEvent* e) {
    e->accept();
    if (!knownButton(e->button())) return;
    pressedHere_ = true;
    afterDblClick_ = false;
    const QPointF p = eventPoint(e->position());
    vbMouseDown(buttonOf(e->button()), shiftOf(e->modifiers()), static_cast<Single>(p.x()),
                static_cast<Single>(p.y()));
}

void Control::mouseMoveEvent(QMouseEvent* e) {
    e->accept();
    const QPointF p = eventPoint(e->position());
    vbMouseMove(buttonsOf(e->buttons()), shiftOf(e->modifiers()), static_cast<Single>(p.x()),
                static_cast<Single>(p.y()));
}

void Control::mouseReleaseEvent(QMouseEvent* e) {
    e->accept();
    if (!knownButton(e->button())) return;
    const QPointF p = eventPoint(e->position());
    const bool inside = rect().contains(e->position().toPoint());
    const bool click = e->button() == Qt::LeftButton && pressedHere_ && inside && !afterDblClick_;
    if (e->buttons() == Qt::NoButton) pressedHere_ = false;
    afterDblClick_ = false;
    vbMouseUp(buttonOf(e->button()), shiftOf(e->modifiers()), static_cast<Single>(p.x()),
              static_cast<Single>(p.y()));
    if (click) vbClick();
}

void Control::mouseDoubleClickEvent(QMouseEvent* e) {
    e->accept();
    if (!knownButton(e->button())) return;
    // The second press of a double click is reported as DblClick in place of
    // MouseDown, and its release brings MouseUp without another Click.
    if (e->button() != Qt::LeftButton) {
        mousePressEvent(e);
        return;
    }
    pressedHere_ = true;
    afterDblClick_ = true;
    vbDblClick();
}

bool Control::routeKeyPress(QKeyEvent* e) {
    Integer code = keyCodeOf(e->key());
    Integer shift = shiftOf(e->modifiers());
    vbKeyDown(code, shift);
    const QString text = e->text();
    if (text.isEmpty()) return true;
    Integer ascii = static_cast<Integer>(text.at(0).unicode());
    vbKeyPress(ascii);
    return ascii != 0;
}

void Control::routeKeyRelease(QKeyEvent* e) {
    if (e->isAutoRepeat()) return;
    Integer code = keyCodeOf(e->key());
    Integer shift = shiftOf(e->modifiers());
    vbKeyUp(code, shift);
}

void Control::keyPressEvent(QKeyEvent* e) {
    e->accept();
    routeKeyPress(e);
}

void Control::keyReleaseEvent(QKeyEvent* e) {
    e->accept();
    routeKeyRelease(e);
}

bool Control::movesFocus(const QFocusEvent* e) {
    // Switching windows (another program, a message box) leaves the focus
    // where it is within the window: no GotFocus or LostFocus for that.
    return e->reason() != Qt::ActiveWindowFocusReason && e->reason() != Qt::PopupFocusReason;
}

void Control::focusInEvent(QFocusEvent* e) {
    QWidget::focusInEvent(e);
    if (movesFocus(e)) vbGotFocus();
}

void Control::focusOutEvent(QFocusEvent* e) {
    QWidget::focusOutEvent(e);
    if (movesFocus(e)) vbLostFocus();
}

}  // namespace rt
