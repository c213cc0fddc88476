#pragma once
// The skinned radio button: a ring glyph beside a caption, one selected
// button per group (the buttons of one window in the same container with the
// same Group flag), the space bar on the focused glyph, and the same 50 ms
// pointer poll as the check box.
#include "glyphcontrol.h"

namespace controls {

class OptionButton : public GlyphControl {
    Q_OBJECT
public:
    explicit OptionButton(QWidget* container);

    // Properties, in their order of declaration (Font and Caption come from
    // the glyph control).
    // Reading refreshes the enabled copy that every look decision tests.
    bool Enabled();
    void setEnabled(bool v);
    // Comes only from the stored settings; a window cannot set it.
    bool Group() const { return group_; }
    // Setting it from code neither clears the rest of the group nor raises an
    // event.
    bool Value() const { return value_; }
    void setValue(bool v);
    void setBackColor(rt::Long c);
    void setForeColor(rt::Long c);

    // Inner state, for tests.
    rt::Integer hoverIndex() const { return hoverIndex_; }
    bool pressed() const { return pressed_ == 1; }

    // The caption colour while disabled: the system's grey text.
    static constexpr rt::Long kDisabledCaption = rt::sysColor(0x11);

protected:
    void UserControl_InitProperties() override;
    void UserControl_ReadProperties(rt::PropertyBag& bag) override;
    void UserControl_WriteProperties(rt::PropertyBag& bag) override;
    void UserControl_MouseDown(rt::Integer& b, rt::Integer& s, rt::Single& x,
                               rt::Single& y) override;
    void UserControl_MouseMove(rt::Integer& b, rt::Integer& s, rt::Single& x,
                               rt::Single& y) override;
    void UserControl_MouseUp(rt::Integer& b, rt::Integer& s, rt::Single& x, rt::Single& y) override;
    void clicked() override { select(); }
    void poll() override;

private:
    void setGroup(bool v) { group_ = v; }
    void select();
    void drawNormal();
    void drawDisabled();
    void applyEnabledLook();
    void show(int index);
    void keyDown(rt::Integer& k, rt::Integer& s);
    void keyPress(rt::Integer& k);
    void keyUp(rt::Integer& k, rt::Integer& s);
    void gotFocus();
    void lostFocus();

    bool value_ = false;
    bool group_ = false;
    rt::Integer hoverIndex_ = 1;
    rt::Integer pressed_ = 0;
    bool enabledCopy_ = false;
};

}  // namespace controls
