#include "optionbutton.h"

#include "runtime/convert.h"
#include "skins.h"

namespace controls {

namespace {
constexpr rt::Integer kSpace = 32;
}

OptionButton::OptionButton(QWidget* container)
    : GlyphControl(container, QStringLiteral("Option1"), false) {
    // The glyph box is what takes the focus, so Tab onto the control lands there.
    setFocusProxy(p_);

    p_->MouseMove.handle([this](rt::Integer& b, rt::Integer& s, rt::Single&, rt::Single&) {
        rt::Single x = static_cast<rt::Single>(p_->Left());
        rt::Single y = static_cast<rt::Single>(p_->Top());
        UserControl_MouseMove(b, s, x, y);
    });
    lbl_->MouseMove.handle([this](rt::Integer& b, rt::Integer& s, rt::Single& x, rt::Single& y) {
        UserControl_MouseMove(b, s, x, y);
    });
    p_->KeyDown.handle([this](rt::Integer& k, rt::Integer& s) { keyDown(k, s); });
    p_->KeyPress.handle([this](rt::Integer& k) { keyPress(k); });
    p_->KeyUp.handle([this](rt::Integer& k, rt::Integer& s) { keyUp(k, s); });
    p_->GotFocus.handle([this] { gotFocus(); });
    p_->LostFocus.handle([this] { lostFocus(); });

    layout();
    // The enabled copy is still off here: the glyph shows the disabled look
    // until the placing window gives the control its settings.
    drawNormal();
    rt::UserControl::setBackColor(0);
    hoverIndex_ = 1;
    group_ = false;
}

bool OptionButton::Enabled() {
    enabledCopy_ = glyph::ownEnabled(*this);
    return enabledCopy_;
}

void OptionButton::setEnabled(bool v) {
    // The copy goes first: disabling moves the focus off the glyph, and that
    // focus loss must find the control already off.
    enabledCopy_ = v;
    QWidget::setEnabled(v);
    applyEnabledLook();
    PropertyChanged(QStringLiteral("Enabled"));
}

void OptionButton::setValue(bool v) {
    value_ = v;
    drawNormal();
    PropertyChanged(QStringLiteral("Value"));
}

void OptionButton::setBackColor(rt::Long c) {
    backColor_ = c;
    rt::UserControl::setBackColor(c);
    p_->setBackColor(c);
    PropertyChanged(QStringLiteral("BackColor"));
}

void OptionButton::setForeColor(rt::Long c) {
    foreColor_ = c;
    applyEnabledLook();
    PropertyChanged(QStringLiteral("ForeColor"));
}

void OptionButton::show(int index) {
    p_->setPicture(skins::optionPictures()[static_cast<std::size_t>(index)]);
}

void OptionButton::drawNormal() {
    if (enabledCopy_)
        show(value_ ? 4 : 0);
    else
        drawDisabled();
}

void OptionButton::drawDisabled() {
    show((value_ ? 4 : 0) + skins::kDisabled);
}

void OptionButton::applyEnabledLook() {
    if (!enabledCopy_) {
        drawDisabled();
        lbl_->setForeColor(kDisabledCaption);
        timer_->setEnabled(false);
    } else {
        drawNormal();
        lbl_->setForeColor(foreColor_);
    }
}

void OptionButton::select() {
    if (value_) {
        applyEnabledLook();
        return;
    }
    // Disabled members of the group are cleared too; the walk also meets this
    // button itself.
    QWidget* container = ExtenderContainer();
    for (QObject* o : ParentControls()) {
        auto* other = dynamic_cast<OptionButton*>(o);
        if (other && other->ExtenderContainer() == container && other->Group() == group_)
            other->setValue(false);
    }
    setValue(true);
    Click();
}

void OptionButton::UserControl_MouseDown(rt::Integer& b, rt::Integer& s, rt::Single& x,
                                         rt::Single& y) {
    if (!enabledCopy_) return;
    show((value_ ? 4 : 0) + skins::kPressed);
    pressed_ = 1;
    MouseDown(b, s, x, y);
}

void OptionButton::UserControl_MouseUp(rt::Integer& b, rt::Integer& s, rt::Single& x,
                                       rt::Single& y) {
    MouseUp(b, s, x, y);
    pressed_ = 0;
}

void OptionButton::UserControl_MouseMove(rt::Integer& b, rt::Integer& s, rt::Single& x,
                                         rt::Single& y) {
    if (!enabledCopy_) return;
    // Moves inside the control cost one handle comparison once the hover
    // look is up.
    if (rt::handleOf(p_->Picture()) ==
        rt::handleOf(skins::optionPictures()[static_cast<std::size_t>(hoverIndex_)]))
        return;
    if (pressed_ == 1) return;
    timer_->setEnabled(true);
    hoverIndex_ = value_ ? 5 : 1;
    show(hoverIndex_);
    MouseMove(b, s, x, y);
}

void OptionButton::keyDown(rt::Integer& k, rt::Integer& s) {
    KeyDown(k, s);
}

void OptionButton::keyPress(rt::Integer& k) {
    if (k != kSpace) return;
    KeyPress(k);
    Click();
    rt::Integer b = rt::vbLeftButton, s = 0;
    rt::Single x = 0, y = 0;
    UserControl_MouseDown(b, s, x, y);
}

void OptionButton::keyUp(rt::Integer& k, rt::Integer& s) {
    if (k != kSpace) return;
    KeyUp(k, s);
    select();
    pressed_ = 0;
}

void OptionButton::gotFocus() {
    rt::Integer b = 0, s = 0;
    rt::Single x = 0, y = 0;
    UserControl_MouseMove(b, s, x, y);
    // Focus from the keyboard keeps the hover look without polling.
    timer_->setEnabled(false);
}

void OptionButton::lostFocus() {
    // A window that is closing or being destroyed takes the focus with it;
    // there is no look left to restore, and the window's handlers may already
    // be gone.
    if (window()->isHidden()) return;
    // An index no hover look uses, so that the move below applies it afresh
    // and starts the poll that restores the normal look.
    hoverIndex_ = 7;
    rt::Integer b = 0, s = 0;
    rt::Single x = 0, y = 0;
    UserControl_MouseMove(b, s, x, y);
}

void OptionButton::poll() {
    if (!glyph::pointerOutside(*this) || pressed_ == 1) return;
    drawNormal();
    timer_->setEnabled(false);
    MouseOut();
}

void OptionButton::UserControl_InitProperties() {
    setCaption(AmbientDisplayName());
    setEnabled(true);
    enabledCopy_ = true;
    setValue(false);
    setFont(AmbientFont());
    setBackColor(rt::sysColor(0x0F));
    setForeColor(0);
}

void OptionButton::UserControl_ReadProperties(rt::PropertyBag& bag) {
    setEnabled(rt::CBool(bag.ReadProperty(QStringLiteral("Enabled"), true)));
    setValue(rt::CBool(bag.ReadProperty(QStringLiteral("Value"), false)));
    setGroup(rt::CBool(bag.ReadProperty(QStringLiteral("Group"), false)));
    setFont(glyph::fontOf(bag.ReadProperty(QStringLiteral("Font")), AmbientFont()));
    setCaption(rt::CStr(bag.ReadProperty(QStringLiteral("Caption"), QStringLiteral("Option1"))));
    setBackColor(rt::CLng(bag.ReadProperty(QStringLiteral("BackColor"), rt::sysColor(0x0F))));
    setForeColor(rt::CLng(bag.ReadProperty(QStringLiteral("ForeColor"), 0)));
}

void OptionButton::UserControl_WriteProperties(rt::PropertyBag& bag) {
    bag.WriteProperty(QStringLiteral("Enabled"), Enabled(), true);
    bag.WriteProperty(QStringLiteral("Value"), value_, false);
    bag.WriteProperty(QStringLiteral("Group"), group_, false);
    glyph::writeFont(bag, font_, AmbientFont());
    // Left out only when it is what a read without it gives back, so that
    // every caption, "Option" included, survives a save and a load.
    bag.WriteProperty(QStringLiteral("Caption"), lbl_->Caption(), QStringLiteral("Option1"));
    bag.WriteProperty(QStringLiteral("BackColor"), backColor_, rt::sysColor(0x0F));
    bag.WriteProperty(QStringLiteral("ForeColor"), foreColor_, 0);
}

}  // namespace controls
