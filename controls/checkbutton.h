#pragma once
// The skinned tri-state check box: a 13 x 13 glyph box that shows one of the
// stored skin pictures, a caption beside it, and a 50 ms pointer poll that
// puts the normal look back once the pointer has left.
#include "glyphcontrol.h"

namespace controls {

//
// Value keeps any number; a click cycles 1 to 0, 0 to 1, 2 to 0, then
// raises Click.
class CheckButton : public GlyphControl {
    Q_OBJECT
public:
    explicit CheckButton(QWidget* container);

    // Properties, in their stored order of declaration (Caption and Font come
    // from the glyph control).
    // The control's own enabled setting (a disabled container does not turn
    // it off). Changing it is not announced as a property change.
    bool Enabled() const;
    void setEnabled(bool v);
    // 0 clear, 1 ticked, 2 third state; any other number is kept as given and
    // shows no picture of its own.
    rt::Long Value() const { return value_; }
    void setValue(rt::Long v);
    void setBackColor(rt::Long c);
    void setForeColor(rt::Long c);

    // The caption colour while disabled.
    static constexpr rt::Long kDisabledCaption = 0x0092A1A1;

protected:
    void UserControl_InitProperties() override;
    void UserControl_ReadProperties(rt::PropertyBag& bag) override;
    void UserControl_WriteProperties(rt::PropertyBag& bag) override;
    void UserControl_MouseDown(rt::Integer& b, rt::Integer& s, rt::Single& x,
                               rt::Single& y) override;
    void UserControl_MouseMove(rt::Integer& b, rt::Integer& s, rt::Single& x,
                               rt::Single& y) override;
    void UserControl_MouseUp(rt::Integer& b, rt::Integer& s, rt::Single& x, rt::Single& y) override;
    void UserControl_KeyDown(rt::Integer& k, rt::Integer& s) override { KeyDown(k, s); }
    void UserControl_KeyPress(rt::Integer& k) override { KeyPress(k); }
    void UserControl_KeyUp(rt::Integer& k, rt::Integer& s) override { KeyUp(k, s); }
    void clicked() override { clickCycle(); }
    void poll() override;

private:
    void clickCycle();
    void drawNormal();
    void drawDisabled();
    // Shows the picture of the current value in a look; values without
    // pictures leave the glyph as it is.
    void show(int look);
    void applyCaptionColour();
    // The move handling, with the point also given in the surface's current
    // scale for the inside test.
    void mouseMove(rt::Integer& b, rt::Integer& s, rt::Single& x, rt::Single& y, double sx,
                   double sy);

    rt::Long value_ = 0;
};

}  // namespace controls
