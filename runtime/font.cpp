#include "font.h"

#include "types.h"

namespace rt {

void StdFont::set(const QFont& f) {
    if (f == font_) return;
    font_ = f;
    Q_EMIT changed();
}

// Each setter changes one attribute of a copy and announces the result.
namespace {
template <class Change>
void modify(StdFont& font, const QFont& now, Change change) {
    QFont f = now;
    change(f);
    font.assign(f);
}
}  // namespace

void StdFont::setName(const QString& name) {
    modify(*this, font_, [&](QFont& f) { f.setFamily(name); });
}
void StdFont::setSize(double points) {
    modify(*this, font_, [&](QFont& f) {
        if (points > 0) f.setPointSizeF(points);
    });
}
void StdFont::setBold(bool on) {
    modify(*this, font_, [&](QFont& f) { f.setBold(on); });
}
void StdFont::setItalic(bool on) {
    modify(*this, font_, [&](QFont& f) { f.setItalic(on); });
}
void StdFont::setUnderline(bool on) {
    modify(*this, font_, [&](QFont& f) { f.setUnderline(on); });
}
void StdFont::setStrikethrough(bool on) {
    modify(*this, font_, [&](QFont& f) { f.setStrikeOut(on); });
}
void StdFont::assign(const QFont& f) {
    set(f);
}

HeldFont::HeldFont(QObject* owner, std::function<QFont()> current,
                   std::function<void(const QFont&)> apply)
    : owner_(owner), current_(std::move(current)), apply_(std::move(apply)) {}

HeldFont::~HeldFont() {
    QObject::disconnect(link_);
}

void HeldFont::hold(FontPtr f) const {
    QObject::disconnect(link_);
    font_ = std::move(f);
    StdFont* raw = font_.get();
    link_ = QObject::connect(raw, &StdFont::changed, owner_, [this, raw] { apply_(raw->qfont()); });
}

FontPtr HeldFont::get() const {
    if (!font_) hold(newFont(current_()));
    return font_;
}

void HeldFont::set(FontPtr f) {
    if (!f) throw RuntimeError(424, QStringLiteral("Object required"));
    if (f == font_) return;
    hold(std::move(f));
    apply_(font_->qfont());
}

void HeldFont::change(const QFont& f) {
    if (font_)
        font_->assign(f);
    else
        apply_(f);
}

}  // namespace rt
