#pragma once
// The text box: one line of text to type in.
#include <QString>

#include "control.h"
#include "font.h"

class QInputMethodEvent;
class QKeyEvent;
class QLineEdit;

namespace rt {

class TextBox : public InputControl {
    Q_OBJECT
public:
    explicit TextBox(QWidget* container);

    QString Text() const;
    // Raises Change when the text differs from the one shown.
    void setText(const QString& text);
    bool Locked() const;
    void setLocked(bool v);
    // 0 left, 1 right, 2 centre; any other value fails with error 380 and
    // changes nothing.
    int Alignment() const { return alignment_; }
    void setAlignment(int a);
    Long ForeColor() const { return foreColor_; }
    void setForeColor(Long c);
    void setBackColor(Long c);
    // 0 none, 1 fixed single; others fail with error 380.
    int BorderStyle() const { return borderStyle_; }
    void setBorderStyle(int style);
    // "" shows the text itself; otherwise every character shows as this one
    // (a longer text: its first character).
    QString PasswordChar() const { return passwordChar_; }
    void setPasswordChar(const QString& c);
    // The selection: where it starts (the caret when nothing is selected)
    // and how many characters it holds. Setting the start empties it.
    int SelStart() const;
    void setSelStart(int start);
    int SelLength() const;
    void setSelLength(int length);
    // Whether moving into the box with Tab selects its whole text (Qt's
    // rule, kept by default); without it the selection stays as it was.
    void setTabSelectsAll(bool on) { tabSelectsAll_ = on; }
    void setFontSpec(const QString& name, double sizePt, bool bold);
    // The font object the box holds; changing it restyles the box at once.
    FontPtr Font() const { return font_.get(); }
    void setFont(FontPtr f) { font_.set(std::move(f)); }

    Event<> Change;

    QLineEdit* editor() const { return edit_; }

protected:
    void resized() override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    int minLineHeight() const;
    bool filterKeyPress(QKeyEvent* k);
    bool filterInputMethod(QInputMethodEvent* im);
    // Types a character through the editor's own key handling, as the key
    // that gives it would (the text is what a printable one inserts).
    void typeKey(Integer ascii, const QString& text);
    // Hands the editor an event of the box's own making, past its filters.
    void sendTyped(QEvent& event);
    bool filterMouse(QEvent* e);
    void applyFont(const QFont& f);

    QLineEdit* edit_;
    int alignment_ = 0;
    Long foreColor_;
    int borderStyle_ = 1;
    QString passwordChar_;
    HeldFont font_;
    // A selection the GotFocus handler made while a click gave the focus:
    // the rest of that click does not move the caret over it.
    bool keepFocusSelection_ = false;
    bool focusFromClick_ = false;
    // While the box types a character itself, its own key goes through.
    bool typing_ = false;
    bool tabSelectsAll_ = true;
    bool refocusing_ = false;
};

}  // namespace rt
