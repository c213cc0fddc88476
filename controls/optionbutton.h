#pragma once
// The skinned radio button: a ring glyph beside a caption, one selected
// button per group (the buttons of one window in the same container with the
// same Group flag), the space bar on the focused glyph, and the same 50 ms
// pointer poll as the check box.
#include <QFont>
#include <QString>

#include "runtime/color.h"
#include "runtime/event.h"
#include "runtime/intrinsics.h"
#include "runtime/usercontrol.h"

namespace controls {

class OptionButton : public rt::UserControl {
    Q_OBJECT
public:
    explicit OptionButton(QWidget* container);

    // Properties, in their order of declaration.
    // Reading refreshes the enabled copy that every look decision tests.
    bool Enabled();
    void setEnabled(bool v);
    // Comes only from the stored settings; a window cannot set it.
    bool Group() const { return group_; }
    // Setting it from code neither clears the rest of the group nor raises an
    // event.
    bool Value() const { return value_; }
    void setValue(bool v);
    QFont Font() const { return font_; }
    void setFont(const QFont& f);
    QString Caption() const { return lbl_->Caption(); }
    void setCaption(const QString& c);
    rt::Long BackColor() const { return backColor_; }
    void setBackColor(rt::Long c);
    rt::Long ForeColor() const { return foreColor_; }
    void setForeColor(rt::Long c);

    // Events, in the same order as the check box's.
    rt::Event<> Click;
    rt::Event<rt::Integer&, rt::Integer&> KeyDown;
    rt::Event<rt::Integer&> KeyPress;
    rt::Event<rt::Integer&, rt::Integer&> KeyUp;
    rt::Event<> MouseOut;
    rt::Event<rt::Integer&, rt::Integer&, rt::Single&, rt::Single&> MouseDown;
    rt::Event<rt::Integer&, rt::Integer&, rt::Single&, rt::Single&> MouseMove;
    rt::Event<rt::Integer&, rt::Integer&, rt::Single&, rt::Single&> MouseUp;

    // Constituents and inner state, for tests and the picture sheet.
    rt::PictureBox* glyph() const { return p_; }
    rt::Label* captionLabel() const { return lbl_; }
    rt::Timer* pollTimer() const { return timer_; }
    rt::Integer hoverIndex() const { return hoverIndex_; }
    bool pressed() const { return pressed_ == 1; }

    // The caption colour while disabled: the system's grey text.
    static constexpr rt::Long kDisabledCaption = rt::sysColor(0x11);

protected:
    void UserControl_InitProperties() override;
    void UserControl_ReadProperties(rt::PropertyBag& bag) override;
    void UserControl_WriteProperties(rt::PropertyBag& bag) override;
    void UserControl_Resize() override { layout(); }
    void UserControl_MouseDown(rt::Integer& b, rt::Integer& s, rt::Single& x, rt::Single& y) override;
    void UserControl_MouseMove(rt::Integer& b, rt::Integer& s, rt::Single& x, rt::Single& y) override;
    void UserControl_MouseUp(rt::Integer& b, rt::Integer& s, rt::Single& x, rt::Single& y) override;
    void UserControl_Click() override { select(); }

private:
    void setGroup(bool v) { group_ = v; }
    void select();
    void drawNormal();
    void drawDisabled();
    void applyEnabledLook();
    void show(int index);
    void layout();
    void poll();
    void keyDown(rt::Integer& k, rt::Integer& s);
    void keyPress(rt::Integer& k);
    void keyUp(rt::Integer& k, rt::Integer& s);
    void gotFocus();
    void lostFocus();

    rt::PictureBox* p_;
    rt::Label* lbl_;
    rt::Timer* timer_;
    QFont font_;
    bool value_ = false;
    bool group_ = false;
    rt::Long backColor_ = 0;
    rt::Long foreColor_ = 0;
    rt::Integer hoverIndex_ = 1;
    rt::Integer pressed_ = 0;
    bool enabledCopy_ = false;
};

}  // namespace controls
