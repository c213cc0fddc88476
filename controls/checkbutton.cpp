#include "checkbutton.h"

#include <QPoint>
#include <cmath>

#include "runtime/convert.h"
#include "runtime/services.h"
#include "skins.h"

namespace controls {

namespace glyph {

bool ownEnabled(const QWidget& w) { return !w.testAttribute(Qt::WA_ForceDisabled); }

namespace {
// Half of a twips difference the way the layout has always computed it.
double centredTop(double outer, double inner) {
    const auto diff = static_cast<long long>(rt::roundHalfEven(outer - inner));
    return static_cast<double>(diff / 2);
}
}  // namespace

void layout(rt::UserControl& surface, rt::PictureBox& p, rt::Label& lbl) {
    surface.setScaleMode(rt::vbTwips);
    // The control's own height in twips, whatever scale its container uses.
    const double height = surface.twipsRect().height();
    p.setHeight(195);
    p.setWidth(195);
    p.setLeft(0);
    p.setTop(centredTop(height, p.Height()));
    lbl.setTop(centredTop(height, lbl.Height()));
    lbl.setLeft(240);
}

bool pointerOutside(rt::UserControl& surface) {
    surface.setScaleMode(rt::vbPixels);
    QPoint pt;
    rt::GetCursorPos(pt);
    rt::ScreenToClient(surface.hWnd(), pt);
    return pt.x() < surface.ScaleLeft() || pt.y() < surface.ScaleTop() ||
           pt.x() > surface.ScaleLeft() + surface.ScaleWidth() ||
           pt.y() > surface.ScaleTop() + surface.ScaleHeight();
}

void writeFont(rt::PropertyBag& bag, const QFont& font, const QFont& ambient) {
    // The bag cannot compare fonts with its default, so the ambient font is
    // left out here.
    if (font != ambient) bag.WriteProperty(QStringLiteral("Font"), QVariant::fromValue(font));
}

QFont fontOf(const QVariant& v, const QFont& fallback) {
    if (v.typeId() == QMetaType::QFont) return v.value<QFont>();
    if (v.typeId() == QMetaType::QString && !v.toString().isEmpty()) {
        QFont f = fallback;
        f.setFamily(v.toString());
        return f;
    }
    return fallback;
}

}  // namespace glyph

CheckButton::CheckButton(QWidget* container)
    : rt::UserControl(container),
      p_(new rt::PictureBox(this)),
      lbl_(new rt::Label(this)),
      timer_(new rt::Timer(this)) {
    p_->setObjectName(QStringLiteral("p"));
    p_->setBorderStyle(0);
    // Keys belong to the surface, which passes them on; the glyph box never
    // takes the focus away from it.
    p_->setFocusPolicy(Qt::NoFocus);
    p_->Move(0, 0, 195, 195);
    lbl_->setObjectName(QStringLiteral("lbl"));
    lbl_->setBackStyle(0);
    lbl_->setAutoSize(true);
    lbl_->setCaption(QStringLiteral("Check1"));
    lbl_->Move(240, 0);
    timer_->setObjectName(QStringLiteral("Timer1"));
    timer_->setInterval(50);
    timer_->setEnabled(true);

    p_->Click.handle([this] { clickCycle(); });
    lbl_->Click.handle([this] { clickCycle(); });
    p_->MouseDown.handle([this](rt::Integer& b, rt::Integer& s, rt::Single& x, rt::Single& y) {
        UserControl_MouseDown(b, s, x, y);
    });
    lbl_->MouseDown.handle([this](rt::Integer& b, rt::Integer& s, rt::Single& x, rt::Single& y) {
        UserControl_MouseDown(b, s, x, y);
    });
    p_->MouseUp.handle([this](rt::Integer& b, rt::Integer& s, rt::Single& x, rt::Single& y) {
        UserControl_MouseUp(b, s, x, y);
    });
    lbl_->MouseUp.handle([this](rt::Integer& b, rt::Integer& s, rt::Single& x, rt::Single& y) {
        UserControl_MouseUp(b, s, x, y);
    });
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
    lbl_->Change.handle([this] { layout(); });
    timer_->Tick.handle([this] { poll(); });

    drawNormal();
    layout();
    rt::UserControl::setBackColor(backColor_);
}

bool CheckButton::Enabled() const { return glyph::ownEnabled(*this); }

void CheckButton::setEnabled(bool v) {
    QWidget::setEnabled(v);
    if (v) drawNormal();
    else drawDisabled();
    applyCaptionColour();
}

void CheckButton::setValue(rt::Long v) {
    value_ = v;
    drawNormal();
    PropertyChanged(QStringLiteral("Value"));
}

void CheckButton::setCaption(const QString& c) {
    lbl_->setCaption(c);
    layout();
    PropertyChanged(QStringLiteral("Caption"));
}

void CheckButton::setFont(const QFont& f) {
    font_ = f;
    rt::UserControl::setFont(f);
    lbl_->setFont(f);
    layout();
    PropertyChanged(QStringLiteral("Font"));
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

void CheckButton::applyCaptionColour() { lbl_->setForeColor(Enabled() ? foreColor_ : kDisabledCaption); }

void CheckButton::show(int look) {
    if (value_ >= 0 && value_ <= 2) p_->setPicture(skins::checkPictures()[static_cast<std::size_t>(value_ * 4 + look)]);
}

void CheckButton::drawNormal() {
    if (Enabled()) show(skins::kNormal);
    else drawDisabled();
}

void CheckButton::drawDisabled() { show(skins::kDisabled); }

void CheckButton::clickCycle() {
    // No test of Enabled: a disabled control gets no clicks to begin with.
    if (value_ == 1) setValue(0);
    else if (value_ == 0) setValue(1);
    else if (value_ == 2) setValue(0);
    drawNormal();
    Click();
}

void CheckButton::layout() { glyph::layout(*this, *p_, *lbl_); }

void CheckButton::UserControl_MouseDown(rt::Integer& b, rt::Integer& s, rt::Single& x, rt::Single& y) {
    if (Enabled()) show(skins::kPressed);
    MouseDown(b, s, x, y);
}

void CheckButton::UserControl_MouseUp(rt::Integer& b, rt::Integer& s, rt::Single& x, rt::Single& y) {
    // The pressed look stays until the click, the next move or the poll.
    MouseUp(b, s, x, y);
}

void CheckButton::UserControl_MouseMove(rt::Integer& b, rt::Integer& s, rt::Single& x, rt::Single& y) {
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
