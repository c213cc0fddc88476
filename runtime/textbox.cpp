#include "textbox.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QVBoxLayout>
#include <algorithm>

#include "color.h"
#include "typefaces.h"

namespace rt {

TextBox::TextBox(QWidget* container)
    : InputControl(container, true),
      edit_(new QLineEdit(this)),
      foreColor_(sysColor(0x08)),
      font_(
          this, [this] { return edit_->font(); }, [this](const QFont& f) { applyFont(f); }) {
    auto* lay = new QVBoxLayout(this);
    lay->setContentsMargins(0, 0, 0, 0);
    lay->addWidget(edit_);
    setFocusProxy(edit_);
    edit_->installEventFilter(this);
    edit_->setMouseTracking(true);
    connect(edit_, &QLineEdit::textChanged, this, [this] { Change(); });
}

QString TextBox::Text() const {
    return edit_->text();
}

void TextBox::setText(const QString& text) {
    if (text == edit_->text()) return;
    edit_->setText(text);
}

bool TextBox::Locked() const {
    return edit_->isReadOnly();
}
void TextBox::setLocked(bool v) {
    edit_->setReadOnly(v);
}

namespace {
[[noreturn]] void invalidValue() {
    throw RuntimeError(380, QStringLiteral("Invalid property value"));
}
}  // namespace

void TextBox::setAlignment(int a) {
    if (a < 0 || a > 2) invalidValue();
    alignment_ = a;
    edit_->setAlignment(a == 1 ? Qt::AlignRight : a == 2 ? Qt::AlignHCenter : Qt::AlignLeft);
}

void TextBox::setForeColor(Long c) {
    foreColor_ = c;
    QPalette p = edit_->palette();
    p.setColor(QPalette::Text, toQColor(c));
    edit_->setPalette(p);
}

void TextBox::setBackColor(Long c) {
    QPalette p = edit_->palette();
    p.setColor(QPalette::Base, toQColor(c));
    edit_->setPalette(p);
}

void TextBox::setBorderStyle(int style) {
    if (style < 0 || style > 1) invalidValue();
    borderStyle_ = style;
    edit_->setFrame(style == 1);
}

void TextBox::setPasswordChar(const QString& c) {
    passwordChar_ = c.left(1);
    if (passwordChar_.isEmpty()) {
        edit_->setEchoMode(QLineEdit::Normal);
        edit_->setStyleSheet(QString());
        return;
    }
    edit_->setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: %1; }")
                             .arg(passwordChar_.at(0).unicode()));
    edit_->setEchoMode(QLineEdit::Password);
}

int TextBox::SelStart() const {
    return edit_->hasSelectedText() ? edit_->selectionStart() : edit_->cursorPosition();
}

void TextBox::setSelStart(int start) {
    edit_->deselect();
    edit_->setCursorPosition(std::clamp(start, 0, static_cast<int>(edit_->text().size())));
}

int TextBox::SelLength() const {
    return edit_->hasSelectedText() ? edit_->selectionLength() : 0;
}

void TextBox::setSelLength(int length) {
    const int start = SelStart();
    const int room = static_cast<int>(edit_->text().size()) - start;
    edit_->setSelection(start, std::clamp(length, 0, room));
}

void TextBox::setFontSpec(const QString& name, double sizePt, bool bold) {
    font_.change(runtimeFont(name, sizePt, bold));
}

void TextBox::applyFont(const QFont& f) {
    edit_->setFont(f);
    resized();
}

int TextBox::minLineHeight() const {
    return QFontMetrics(edit_->font()).height() + 4;
}

void TextBox::resized() {
    // A one-line box is never lower than one line of its font.
    const double minTwips = minLineHeight() * kTwipsPerPixel;
    if (twipsRect().height() < minTwips) {
        QRectF r = twipsRect();
        r.setHeight(minTwips);
        setTwipsRect(r);
    }
}

bool TextBox::filterKeyPress(QKeyEvent* k) {
    // A key the box types for a handler goes straight to the editor.
    if (typing_) return false;
    Integer code = keyCodeOf(k->key());
    Integer shift = shiftOf(k->modifiers());
    vbKeyDown(code, shift);
    if (code == 0) return true;
    const QString text = k->text();
    if (text.isEmpty()) return false;
    Integer ascii = static_cast<Integer>(text.at(0).unicode());
    const Integer original = ascii;
    vbKeyPress(ascii);
    if (ascii == 0) return true;  // the handler dropped the key
    if (ascii == original) return false;
    typeKey(ascii, QString(QChar(static_cast<char16_t>(ascii))));
    return true;
}

void TextBox::sendTyped(QEvent& event) {
    typing_ = true;
    QCoreApplication::sendEvent(edit_, &event);
    typing_ = false;
}

void TextBox::typeKey(Integer ascii, const QString& text) {
    // The editor handles it as the key that gives this character: it
    // refuses it while the box is Locked, 8 deletes, 13 is Enter.
    int key = Qt::Key_unknown;
    switch (ascii) {
        case 8:
            key = Qt::Key_Backspace;
            break;
        case 9:
            key = Qt::Key_Tab;
            break;
        case 13:
            key = Qt::Key_Return;
            break;
        case 27:
            key = Qt::Key_Escape;
            break;
        default:
            if (ascii >= 32 && ascii < 127)
                key = QChar(static_cast<char16_t>(ascii)).toUpper().unicode();
            break;
    }
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    sendTyped(press);
}

bool TextBox::filterInputMethod(QInputMethodEvent* im) {
    if (typing_ || im->commitString().isEmpty()) return false;
    // What an input method commits is typed: each character passes KeyPress
    // as a key would, so a handler's filter holds for it too. The
    // replacement and the text still being composed go to the editor as
    // they came.
    const QString committed = im->commitString();
    QInputMethodEvent before;
    before.setCommitString(QString(), im->replacementStart(), im->replacementLength());
    sendTyped(before);
    for (qsizetype i = 0; i < committed.size();) {
        const qsizetype n = committed.at(i).isHighSurrogate() && i + 1 < committed.size() ? 2 : 1;
        const QString character = committed.mid(i, n);
        i += n;
        Integer ascii = static_cast<Integer>(character.at(0).unicode());
        const Integer original = ascii;
        vbKeyPress(ascii);
        if (ascii == 0) continue;
        typeKey(ascii,
                ascii == original ? character : QString(QChar(static_cast<char16_t>(ascii))));
    }
    if (!im->preeditString().isEmpty()) {
        QInputMethodEvent composing(im->preeditString(), im->attributes());
        sendTyped(composing);
    }
    return true;
}

// The editor fills the box from its corner, so its points are the box's.
bool TextBox::filterMouse(QEvent* e) {
    auto* m = static_cast<QMouseEvent*>(e);
    switch (e->type()) {
        case QEvent::MouseButtonPress:
            mousePressEvent(m);
            break;
        case QEvent::MouseMove:
            mouseMoveEvent(m);
            break;
        case QEvent::MouseButtonRelease:
            mouseReleaseEvent(m);
            break;
        default:
            mouseDoubleClickEvent(m);
            break;
    }
    if (!keepFocusSelection_) return false;
    // The editor would put the caret where the click went down, over the
    // selection the focus handler just made.
    if (e->type() == QEvent::MouseButtonRelease && m->buttons() == Qt::NoButton)
        keepFocusSelection_ = false;
    return e->type() != QEvent::MouseMove || m->buttons() != Qt::NoButton;
}

bool TextBox::eventFilter(QObject* o, QEvent* e) {
    if (o != edit_) return false;
    switch (e->type()) {
        case QEvent::KeyPress:
            return filterKeyPress(static_cast<QKeyEvent*>(e));
        case QEvent::KeyRelease:
            routeKeyRelease(static_cast<QKeyEvent*>(e));
            return false;
        case QEvent::InputMethod:
            return filterInputMethod(static_cast<QInputMethodEvent*>(e));
        case QEvent::MouseButtonPress:
        case QEvent::MouseMove:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick: {
            if (e->type() == QEvent::MouseButtonPress && !focusFromClick_)
                keepFocusSelection_ = false;
            focusFromClick_ = false;
            return filterMouse(e);
        }
        case QEvent::FocusIn: {
            if (refocusing_) return false;
            auto* f = static_cast<QFocusEvent*>(e);
            if (!movesFocus(f)) return false;
            const int start = SelStart(), length = SelLength();
            vbGotFocus();
            focusFromClick_ = f->reason() == Qt::MouseFocusReason;
            keepFocusSelection_ = focusFromClick_ && (SelStart() != start || SelLength() != length);
            const Qt::FocusReason why = f->reason();
            if (tabSelectsAll_ || (why != Qt::TabFocusReason && why != Qt::BacktabFocusReason &&
                                   why != Qt::ShortcutFocusReason))
                return false;
            // The editor would select everything: it gets the focus as from
            // code, which leaves the selection as it is.
            QFocusEvent plain(QEvent::FocusIn, Qt::OtherFocusReason);
            refocusing_ = true;
            QCoreApplication::sendEvent(edit_, &plain);
            refocusing_ = false;
            return true;
        }
        case QEvent::FocusOut:
            keepFocusSelection_ = false;
            focusFromClick_ = false;
            if (movesFocus(static_cast<QFocusEvent*>(e))) vbLostFocus();
            return false;
        default:
            return false;
    }
}

}  // namespace rt
