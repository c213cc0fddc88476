#pragma once
// The base of every control: a widget whose position and size are kept in
// twips and read in its container's scale, whose mouse and key input arrives
// in the runtime's terms (Button/Shift masks, X/Y in scale units, key codes),
// and which knows whether it is a window of its own (windowed) or is drawn by
// its container (windowless: labels, images, shapes).
#include <QRectF>
#include <QWidget>
#include <cmath>

#include "event.h"
#include "types.h"

namespace rt {

class Form;

// A pixel count computed from twips, brought into the range a widget can
// take (nothing at all for NaN), so that a huge or broken size or position
// can be converted to an int.
inline double withinPixelRange(double pixels) {
    constexpr double kLimit = QWIDGETSIZE_MAX;
    if (std::isnan(pixels)) return 0;
    return pixels < -kLimit ? -kLimit : pixels > kLimit ? kLimit : pixels;
}

inline constexpr int vbTwips = 1;
inline constexpr int vbPixels = 3;

// A container with a scale of its own (form, picture box, user control).
class Scalable {
public:
    virtual ~Scalable() = default;
    int ScaleMode() const { return scaleMode_; }
    void setScaleMode(int mode) { scaleMode_ = mode; }
    // Twips per scale unit.
    double unitTwips() const { return scaleMode_ == vbPixels ? kTwipsPerPixel : 1.0; }
    double ScaleLeft() const { return 0; }
    double ScaleTop() const { return 0; }
    double ScaleWidth() const;
    double ScaleHeight() const;

protected:
    virtual const QWidget* scaleWidget() const = 0;

private:
    int scaleMode_ = vbTwips;
};

// Twips per unit of the scale in which a container measures its children.
double containerUnitTwips(const QWidget* container);

class Control : public QWidget {
    Q_OBJECT
public:
    Control(QWidget* container, bool windowed);

    QString Name() const { return objectName(); }
    bool windowed() const { return windowed_; }
    // Position within a control array, -1 when the control is not in one.
    int Index() const { return index_; }
    void setIndex(int i) { index_ = i; }
    QWidget* Container() const { return parentWidget(); }
    Form* parentForm() const;

    double Left() const;
    double Top() const;
    double Width() const;
    double Height() const;
    void setLeft(double v);
    void setTop(double v);
    void setWidth(double v);
    void setHeight(double v);
    // Position and size in the container's scale; a negative size is kept.
    void Move(double left, double top, double width = -1, double height = -1);
    // Position and size in twips, whatever the container's scale.
    QRectF twipsRect() const { return twips_; }
    void setTwipsRect(const QRectF& r);

    // The control's own flags: a hidden or disabled container, or a window
    // not yet shown, does not change them.
    bool Visible() const { return !isHidden(); }
    bool Enabled() const { return !testAttribute(Qt::WA_ForceDisabled); }

    // Twips per unit of the X/Y that this control's mouse events carry.
    virtual double eventUnitTwips() const;

    // The runtime took the mouse capture away from this control (a message
    // box opened, another window was activated, the control was disabled);
    // the capture is already released when this runs.
    virtual void captureTakenAway() {}

    // Runtime key code of a key (13 Enter, 37-40 arrows, 65-90 letters, ...).
    static Integer keyCodeOf(int qtKey);
    static Integer shiftOf(Qt::KeyboardModifiers m);
    static Integer buttonOf(Qt::MouseButton b);
    static Integer buttonsOf(Qt::MouseButtons b);

protected:
    // The size changed through code or layout; called at once, nested when a
    // handler sets the size again.
    virtual void resized() {}

    // Input in the runtime's terms; the defaults do nothing.
    virtual void vbMouseDown(Integer, Integer, Single, Single) {}
    virtual void vbMouseMove(Integer, Integer, Single, Single) {}
    virtual void vbMouseUp(Integer, Integer, Single, Single) {}
    virtual void vbClick() {}
    virtual void vbDblClick() {}
    virtual void vbKeyDown(Integer&, Integer&) {}
    virtual void vbKeyPress(Integer&) {}
    virtual void vbKeyUp(Integer&, Integer&) {}
    virtual void vbGotFocus() {}
    virtual void vbLostFocus() {}

    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void changeEvent(QEvent* e) override;

    // Key handling shared with controls that forward an inner widget's keys.
    // Returns false when the handler dropped the key (code set to 0).
    bool routeKeyPress(QKeyEvent* e);
    void routeKeyRelease(QKeyEvent* e);

    void applyTwips();
    // Whether a focus change moves the focus between controls, as opposed to
    // the window being activated or deactivated.
    static bool movesFocus(const QFocusEvent* e);

private:
    QPointF eventPoint(const QPointF& local) const;

    bool windowed_;
    int index_ = -1;
    QRectF twips_;
    QSize lastSize_{-1, -1};
    bool pressedHere_ = false;
    bool afterDblClick_ = false;
};

// The events of the intrinsic controls, raised to the window's handlers.
struct MouseEvents {
    Event<Integer&, Integer&, Single&, Single&> MouseDown;
    Event<Integer&, Integer&, Single&, Single&> MouseMove;
    Event<Integer&, Integer&, Single&, Single&> MouseUp;
    Event<> Click;
    Event<> DblClick;
};

struct KeyEvents {
    Event<Integer&, Integer&> KeyDown;
    Event<Integer&> KeyPress;
    Event<Integer&, Integer&> KeyUp;
    Event<> GotFocus;
    Event<> LostFocus;
};

// An intrinsic control whose mouse input goes straight to the window's
// handlers.
class MouseControl : public Control, public MouseEvents {
public:
    using Control::Control;

protected:
    void vbMouseDown(Integer b, Integer s, Single x, Single y) override { MouseDown(b, s, x, y); }
    void vbMouseMove(Integer b, Integer s, Single x, Single y) override { MouseMove(b, s, x, y); }
    void vbMouseUp(Integer b, Integer s, Single x, Single y) override { MouseUp(b, s, x, y); }
    void vbClick() override { Click(); }
    void vbDblClick() override { DblClick(); }
};

// The same with the keyboard and the focus.
class InputControl : public MouseControl, public KeyEvents {
public:
    using MouseControl::MouseControl;

protected:
    void vbKeyDown(Integer& k, Integer& s) override { KeyDown(k, s); }
    void vbKeyPress(Integer& k) override { KeyPress(k); }
    void vbKeyUp(Integer& k, Integer& s) override { KeyUp(k, s); }
    void vbGotFocus() override { GotFocus(); }
    void vbLostFocus() override { LostFocus(); }
};

}  // namespace rt
