#pragma once
// The skinned tri-state check box: a 13 x 13 glyph box that shows one of the
// stored skin pictures, a caption beside it, and a 50 ms pointer poll that
// puts the normal look back once the pointer has left.
#include <QFont>
#include <QString>

#include "runtime/color.h"
#include "runtime/event.h"
#include "runtime/intrinsics.h"
#include "runtime/usercontrol.h"

namespace controls {

class CheckButton : public rt::UserControl {
    Q_OBJECT
public:
    explicit CheckButton(QWidget* container);

    // Properties, in their stored order of declaration.
    // The control's own enabled setting (a disabled container does not turn
    // it off). Changing it is not announced as a property change.
    bool Enabled() const;
    void setEnabled(bool v);
    // 0 clear, 1 ticked, 2 third state; any other number is kept as given and
    // shows no picture of its own.
    rt::Long Value() const { return value_; }
    void setValue(rt::Long v);
    QString Caption() const { return lbl_->Caption(); }
    void setCaption(const QString& c);
    QFont Font() const { return font_; }
    void setFont(const QFont& f);
    rt::Long BackColor() const { return backColor_; }
    void setBackColor(rt::Long c);
    rt::Long ForeColor() const { return foreColor_; }
    void setForeColor(rt::Long c);

    // Events, in the order windows bind them.
    rt::Event<> Click;
    rt::Event<rt::Integer&, rt::Integer&> KeyDown;
    rt::Event<rt::Integer&> KeyPress;
    rt::Event<rt::Integer&, rt::Integer&> KeyUp;
    rt::Event<> MouseOut;
    rt::Event<rt::Integer&, rt::Integer&, rt::Single&, rt::Single&> MouseDown;
    rt::Event<rt::Integer&, rt::Integer&, rt::Single&, rt::Single&> MouseMove;
    rt::Event<rt::Integer&, rt::Integer&, rt::Single&, rt::Single&> MouseUp;

    // Constituents, for tests and the picture sheet.
    rt::PictureBox* glyph() const { return p_; }
    rt::Label* captionLabel() const { return lbl_; }
    rt::Timer* pollTimer() const { return timer_; }

    // The caption colour while disabled.
    static constexpr rt::Long kDisabledCaption = 0x0092A1A1;

protected:
    void UserControl_InitProperties() override;
    void UserControl_ReadProperties(rt::PropertyBag& bag) override;
    void UserControl_WriteProperties(rt::PropertyBag& bag) override;
    void UserControl_Resize() override { layout(); }
    void UserControl_MouseDown(rt::Integer& b, rt::Integer& s, rt::Single& x, rt::Single& y) override;
    void UserControl_MouseMove(rt::Integer& b, rt::Integer& s, rt::Single& x, rt::Single& y) override;
    void UserControl_MouseUp(rt::Integer& b, rt::Integer& s, rt::Single& x, rt::Single& y) override;
    void UserControl_Click() override { clickCycle(); }
    void UserControl_KeyDown(rt::Integer& k, rt::Integer& s) override { KeyDown(k, s); }
    void UserControl_KeyPress(rt::Integer& k) override { KeyPress(k); }
    void UserControl_KeyUp(rt::Integer& k, rt::Integer& s) override { KeyUp(k, s); }

private:
    void clickCycle();
    void drawNormal();
    void drawDisabled();
    // Shows the picture of the current value in a look; values without
    // pictures leave the glyph as it is.
    void show(int look);
    void applyCaptionColour();
    void layout();
    // The move handling, with the point also given in the surface's current
    // scale for the inside test.
    void mouseMove(rt::Integer& b, rt::Integer& s, rt::Single& x, rt::Single& y, double sx, double sy);
    void poll();

    rt::PictureBox* p_;
    rt::Label* lbl_;
    rt::Timer* timer_;
    QFont font_;
    rt::Long value_ = 0;
    rt::Long backColor_ = 0;
    rt::Long foreColor_ = 0;
};

namespace glyph {
// Helpers shared by the check box and the radio button.

// The control's own enabled setting, not the one inherited from its container.
bool ownEnabled(const QWidget& w);
// Puts the glyph and the caption at the left, each centred vertically on the
// control's height (in twips: the difference rounded, a half to even, then
// halved toward zero); the caption starts at 240 twips.
void layout(rt::UserControl& surface, rt::PictureBox& p, rt::Label& lbl);
// Switches the surface to pixels and tells whether the pointer is outside it;
// a point on an edge counts as inside.
bool pointerOutside(rt::UserControl& surface);
// A stored font setting, or the fallback when it is none.
QFont fontOf(const QVariant& v, const QFont& fallback);
// Stores a font unless it is the ambient one.
void writeFont(rt::PropertyBag& bag, const QFont& font, const QFont& ambient);
}  // namespace glyph

}  // namespace controls
