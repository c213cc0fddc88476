#include "font.h"

#include "types.h"

namespace rt {

void StdFont::set(const QFont& f) {
    if (f == font_) return;
    font_ = f;
    Q_EMIT changed();
}

void StdFont::setName(const QString& name) {
    QFont f = font_;
    f.setFamily(name);
    set(f);
}
void StdFont::setSize(double points) {
    QFont f = font_;
    if (points > 0) f.setPointSizeF(points);
    set(f);
}
void StdFont::setBold(bool on) {
    QFont f = font_;
    f.setBold(on);
    set(f);
}
void StdFont::setItalic(bool on) {
    QFont f = font_;
    f.setItalic(on);
    set(f);
}
void StdFont::setUnderline(bool on) {
    QFont f = font_;
    f.setUnderline(on);
    set(f);
}
void StdFont::setStrikethrough(bool on) {
    QFont f = font_;
    f.setStrikeOut(on);
    set(f);
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
