#pragma once
// What the push button and the two-line item share: the three button states
// and the hover flag, the pointer-over test, the hover part of a pointer
// move, the 1 ms leave poll, the press and release steps, the arrow keys
// that walk the focus, and the thirteen public events. A control built on it
// says which of its constituents take the pointer and how a state is shown
// (ApplyStateColors).
#include <QString>
#include <QVariant>

#include "runtime/event.h"
#include "runtime/timer.h"
#include "runtime/types.h"
#include "runtime/usercontrol.h"

namespace controls {

// Runs one assignment of a layout or of the state colours; a failing one is
// skipped so that the rest still take effect.
template <class F>
void skipOnError(F&& step) {
    try {
        step();
    } catch (const rt::RuntimeError&) {
    }
}

class HoverItem : public rt::UserControl {
    Q_OBJECT
public:
    enum ButtonState : rt::Integer { StateNormal = 0, StateHover = 1, StateDown = 2 };

    // The control's own flag: a disabled window or frame around it does not
    // make it report (or store) False.
    bool Enabled() const { return !testAttribute(Qt::WA_ForceDisabled); }
    virtual void Ajustar_Botao() = 0;

    // ---- events, in their published order (windows bind by this order)
    rt::Event<> Click;
    rt::Event<> DblClick;
    rt::Event<rt::Integer&, rt::Integer&, rt::Single&, rt::Single&> MouseMove;
    rt::Event<rt::Integer&, rt::Integer&, rt::Single&, rt::Single&> MouseUp;
    rt::Event<rt::Integer&, rt::Integer&, rt::Single&, rt::Single&> MouseDown;
    rt::Event<> MouseEnter;
    rt::Event<> MouseLeave;
    rt::Event<> MouseOver;  // kept for windows that bind it; nothing raises it
    rt::Event<> MouseOut;
    rt::Event<> Resize;
    rt::Event<rt::Integer&> KeyPress;
    rt::Event<rt::Integer&, rt::Integer&> KeyDown;
    rt::Event<rt::Integer&, rt::Integer&> KeyUp;

    // ---- inner state, for the host and for tests
    rt::Timer* timer1() const { return timer1_; }
    rt::Integer buttonState() const { return state_; }
    bool hoverFlag() const { return hover_; }

protected:
    // Children are measured in pixels; Timer1, the leave poll, is made here.
    explicit HoverItem(QWidget* container);

    // Shows the colours of the current state; each assignment skips on failure.
    virtual void ApplyStateColors() = 0;
    // The repaint the control asks for itself after a key up.
    virtual void repaintNow();

    bool PointerOverControl();
    // The colour of the current state among the three members given.
    rt::Long ofState(rt::Long normal, rt::Long hover, rt::Long down) const;
    // A move over a part that follows the pointer: MouseMove, then the hover
    // steps with the arguments as the window's handler left them.
    void movedOver(rt::Integer& button, rt::Integer& shift, rt::Single& x, rt::Single& y);
    // A press or release over such a part; a release always ends in Click.
    void pressedOn(rt::Integer& button, rt::Integer& shift, rt::Single& x, rt::Single& y);
    void releasedOn(rt::Integer& button, rt::Integer& shift, rt::Single& x, rt::Single& y);
    void leavePollTick();

    // The surface's own font, which nothing shown uses; only its name is kept.
    void setSurfaceFontName(const QString& name);
    // The name a stored "Font" value gives: a font's family, or the text.
    static QString fontNameFrom(const QVariant& stored);

    void UserControl_Resize() override;
    void UserControl_DblClick() override;
    void UserControl_KeyDown(rt::Integer& keyCode, rt::Integer& shift) override;
    void UserControl_KeyPress(rt::Integer& keyAscii) override;
    void UserControl_KeyUp(rt::Integer& keyCode, rt::Integer& shift) override;

    rt::Timer* timer1_;
    rt::Integer state_ = StateNormal;
    bool hover_ = false;
};

}  // namespace controls
