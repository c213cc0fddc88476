#include "checkbutton.h"

#include "runtime/convert.h"
#include "skins.h"

namespace controls {

CheckButton::CheckButton(QWidget* container)
    : GlyphControl(container, QStringLiteral("Check1"), true) {
    // Keys belong to the surface, which passes them on; the glyph box never
    // takes the focus away from it.
    p_->setFocusPolicy(Qt::NoFocus);

    p_->MouseMove.handle([this](rt::Integer& b, rt::Integer& s, rt::Single& x, rt::Single& y) {
        // The glyph box measures in its own scale from its own corner; the
        // inside test needs the point on the surface, in the surface's scale
        // (which the poll leaves at pixels).
        const QRectF box = p_->twipsRect();
        const double u = unitTwips();
        mouseMove(b, s, x, y, (box.left() + x * p_->eventUnitTwips()) / u,
                  (box.top() + y * p_->eventUnitTwips()) / u);
    });
    lbl_->MouseMove.handle([this](rt::Integer& b, rt::Integer& s, rt::Single&, rt::Single&) {
        rt::Single x = static_cast<rt::Single>(lbl_->Left());
        rt::Single y = static_cast<rt::Single>(lbl_->Top());
        mouseMove(b, s, x, y, x, y);
    });

    drawNormal();
    layout();
    rt::UserControl::setBackColor(backColor_);
}

bool CheckButton::Enabled() const {
    return glyph::ownEnabled(*this);
}

void CheckButton::setEnabled(bool v) {
    QWidget::setEnabled(v);
    if (v)
        drawNormal();
    else
        drawDisabled();
    applyCaptionColour();
}

void CheckButton::setValue(rt::Long v) {
    value_ = v;
    drawNormal();
    PropertyChanged(QStringLiteral("Value"));
}

void CheckButton::setBackColor(rt::Long c) {
    backColor_ = c;
    PropertyChanged(QStringLiteral("BackColor"));
    rt::UserControl::setBackColor(c);
}

void CheckButton::setForeColor(rt::Long c) {
    foreColor_ = c;
    PropertyChanged(QStringLiteral("ForeColor"));
    applyCaptionColour();
}

void CheckButton::applyCaptionColour() {
    lbl_->setForeColor(Enabled() ? foreColor_ : kDisabledCaption);
}

void CheckButton::show(int look) {
    if (value_ >= 0 && value_ <= 2)
        p_->setPicture(skins::checkPictures()[static_cast<std::size_t>(value_ * 4 + look)]);
}

void CheckButton::drawNormal() {
    if (Enabled())
        show(skins::kNormal);
    else
        drawDisabled();
}

void CheckButton::drawDisabled() {
    show(skins::kDisabled);
}

void CheckButton::clickCycle() {
    // No test of Enabled: a disabled control gets no clicks to begin with.
    if (value_ == 1)
        setValue(0);
    else if (value_ == 0)
        setValue(1);
    else if (value_ == 2)
        setValue(0);
    drawNormal();
    Click();
}

void CheckButton::UserControl_MouseDown(rt::Integer& b, rt::Integer& s, rt::Single& x,
                                        rt::Single& y) {
    if (Enabled()) show(skins::kPressed);
    MouseDown(b, s, x, y);
}

void CheckButton::UserControl_MouseUp(rt::Integer& b, rt::Integer& s, rt::Single& x,
                                      rt::Single& y) {
    // The pressed look stays until the click, the next move or the poll.
    MouseUp(b, s, x, y);
}

void CheckButton::UserControl_MouseMove(rt::Integer& b, rt::Integer& s, rt::Single& x,
                                        rt::Single& y) {
    mouseMove(b, s, x, y, x, y);
}

void CheckButton::mouseMove(rt::Integer& b, rt::Integer& s, rt::Single& x, rt::Single& y, double sx,
                            double sy) {
    // Any move starts the poll, even one that is then found outside.
    timer_->setEnabled(true);
    if (sx < 0 || sx > ScaleWidth() || sy < 0 || sy > ScaleHeight()) return;
    MouseMove(b, s, x, y);
    if (Enabled()) show(b == rt::vbLeftButton ? skins::kPressed : skins::kHover);
}

void CheckButton::poll() {
    if (!glyph::pointerOutside(*this)) return;
    drawNormal();
    timer_->setEnabled(false);
    MouseOut();
}

void CheckButton::UserControl_InitProperties() {
    setCaption(AmbientDisplayName());
    setEnabled(true);
    setValue(0);
    setFont(AmbientFont());
    setBackColor(rt::sysColor(0x0F));
    setForeColor(0);
}

void CheckButton::UserControl_ReadProperties(rt::PropertyBag& bag) {
    setValue(rt::CLng(bag.ReadProperty(QStringLiteral("Value"), 0)));
    setCaption(rt::CStr(bag.ReadProperty(QStringLiteral("Caption"), AmbientDisplayName())));
    setEnabled(rt::CBool(bag.ReadProperty(QStringLiteral("Enabled"), true)));
    setFont(glyph::fontOf(bag.ReadProperty(QStringLiteral("Font")), AmbientFont()));
    setBackColor(rt::CLng(bag.ReadProperty(QStringLiteral("BackColor"), rt::sysColor(0x0F))));
    setForeColor(rt::CLng(bag.ReadProperty(QStringLiteral("ForeColor"), 0)));
}

void CheckButton::UserControl_WriteProperties(rt::PropertyBag& bag) {
    glyph::writeFont(bag, font_, AmbientFont());
    bag.WriteProperty(QStringLiteral("Value"), value_, 0);
    bag.WriteProperty(QStringLiteral("Caption"), lbl_->Caption(), AmbientDisplayName());
    bag.WriteProperty(QStringLiteral("Enabled"), Enabled(), true);
    bag.WriteProperty(QStringLiteral("BackColor"), backColor_, rt::sysColor(0x0F));
    bag.WriteProperty(QStringLiteral("ForeColor"), foreColor_, 0);
}

}  // namespace controls
