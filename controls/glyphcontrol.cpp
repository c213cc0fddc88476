#include "glyphcontrol.h"

#include <QPoint>
#include <cmath>

#include "runtime/convert.h"
#include "runtime/services.h"

namespace controls {

namespace glyph {

bool ownEnabled(const QWidget& w) {
    return !w.testAttribute(Qt::WA_ForceDisabled);
}

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

GlyphControl::GlyphControl(QWidget* container, const QString& initialCaption, bool pollFromStart)
    : rt::UserControl(container),
      p_(new rt::PictureBox(this)),
      lbl_(new rt::Label(this)),
      timer_(new rt::Timer(this)) {
    p_->setObjectName(QStringLiteral("p"));
    p_->setBorderStyle(0);
    p_->Move(0, 0, 195, 195);
    lbl_->setObjectName(QStringLiteral("lbl"));
    lbl_->setBackStyle(0);
    lbl_->setAutoSize(true);
    lbl_->setCaption(initialCaption);
    lbl_->Move(240, 0);
    timer_->setObjectName(QStringLiteral("Timer1"));
    timer_->setInterval(50);
    timer_->setEnabled(pollFromStart);

    // Clicks and ticks reach the derived control's hooks; none of them comes
    // while the control is still being built.
    p_->Click.handle([this] { clicked(); });
    lbl_->Click.handle([this] { clicked(); });
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
    lbl_->Change.handle([this] { layout(); });
    timer_->Tick.handle([this] { poll(); });
}

void GlyphControl::setCaption(const QString& c) {
    lbl_->setCaption(c);
    setAccessibleName(c);
    layout();
    PropertyChanged(QStringLiteral("Caption"));
}

void GlyphControl::setFont(const QFont& f) {
    font_ = f;
    rt::UserControl::setFont(f);
    lbl_->setFont(f);
    layout();
    PropertyChanged(QStringLiteral("Font"));
}

void GlyphControl::layout() {
    glyph::layout(*this, *p_, *lbl_);
}

}  // namespace controls
