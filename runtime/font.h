#pragma once
// A font object: the settings of a font, held by reference. A control that
// holds one shows its text in it, and every change to the object restyles
// each control that holds it at once. Controls that share one object (a
// mirror label taking its text box's font) change together.
#include <QFont>
#include <QMetaObject>
#include <QObject>
#include <functional>
#include <memory>

namespace rt {

class StdFont : public QObject {
    Q_OBJECT
public:
    explicit StdFont(const QFont& f = QFont()) : font_(f) {}

    QString Name() const { return font_.family(); }
    void setName(const QString& name);
    double Size() const { return font_.pointSizeF(); }
    void setSize(double points);
    bool Bold() const { return font_.bold(); }
    void setBold(bool on);
    bool Italic() const { return font_.italic(); }
    void setItalic(bool on);
    bool Underline() const { return font_.underline(); }
    void setUnderline(bool on);
    bool Strikethrough() const { return font_.strikeOut(); }
    void setStrikethrough(bool on);

    const QFont& qfont() const { return font_; }
    // All settings at once.
    void assign(const QFont& f);

Q_SIGNALS:
    void changed();

private:
    void set(const QFont& f);
    QFont font_;
};

using FontPtr = std::shared_ptr<StdFont>;

inline FontPtr newFont(const QFont& f) {
    return std::make_shared<StdFont>(f);
}

// The font object a control holds. Until one is given or asked for, the
// control keeps the font it has; the first getter call makes an object of
// it, which the control then keeps.
class HeldFont {
public:
    // current: the font the control shows now; apply: shows a font.
    HeldFont(QObject* owner, std::function<QFont()> current,
             std::function<void(const QFont&)> apply);
    ~HeldFont();
    HeldFont(const HeldFont&) = delete;
    HeldFont& operator=(const HeldFont&) = delete;

    FontPtr get() const;
    // Holds another object and shows it; none fails with error 424, and the
    // control keeps the object it had.
    void set(FontPtr f);
    // A change of single settings: made in the held object when there is one
    // (so every holder follows), otherwise in the control alone.
    void change(const QFont& f);

private:
    void hold(FontPtr f) const;

    QObject* owner_;
    std::function<QFont()> current_;
    std::function<void(const QFont&)> apply_;
    mutable FontPtr font_;
    mutable QMetaObject::Connection link_;
};

}  // namespace rt
