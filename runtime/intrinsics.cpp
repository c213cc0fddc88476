#include "intrinsics.h"

#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "color.h"
#include "host.h"

namespace rt {

QFont runtimeFont(const QString& name, double sizePt, bool bold) {
    QFont f(name);
    // Typefaces of the original desktop are mostly absent here; keep the
    // name and let the font system fall back to one that has the glyphs.
    f.setStyleHint(QFont::SansSerif);
    if (sizePt > 0) f.setPointSizeF(sizePt);
    f.setBold(bold);
    return f;
}

void installTypefaceSubstitutes() {
    const QString sans = QStringLiteral("Noto Sans CJK SC");
    const QString serif = QStringLiteral("Noto Serif CJK SC");
    QFont::insertSubstitution(QStringLiteral("微软雅黑"), sans);
    QFont::insertSubstitution(QStringLiteral("Microsoft YaHei"), sans);
    QFont::insertSubstitution(QStringLiteral("宋体"), serif);
    QFont::insertSubstitution(QStringLiteral("SimSun"), serif);
}

// ---------------------------------------------------------------- TextBox

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
    typing_ = true;
    QCoreApplication::sendEvent(edit_, &press);
    typing_ = false;
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
    typing_ = true;
    QCoreApplication::sendEvent(edit_, &before);
    typing_ = false;
    for (qsizetype i = 0; i < committed.size();) {
        const qsizetype n =
            committed.at(i).isHighSurrogate() && i + 1 < committed.size() ? 2 : 1;
        const QString character = committed.mid(i, n);
        i += n;
        Integer ascii = static_cast<Integer>(character.at(0).unicode());
        const Integer original = ascii;
        vbKeyPress(ascii);
        if (ascii == 0) continue;
        typeKey(ascii, ascii == original ? character
                                         : QString(QChar(static_cast<char16_t>(ascii))));
    }
    if (!im->preeditString().isEmpty()) {
        QInputMethodEvent composing(im->preeditString(), im->attributes());
        typing_ = true;
        QCoreApplication::sendEvent(edit_, &composing);
        typing_ = false;
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
            keepFocusSelection_ =
                focusFromClick_ && (SelStart() != start || SelLength() != length);
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

// ---------------------------------------------------------------- Label

Label::Label(QWidget* container)
    : MouseControl(container, false),
      backColor_(sysColor(0x0F)),
      foreColor_(sysColor(0x12)),
      font_(
          this, [this] { return font(); }, [this](const QFont& f) { applyFont(f); }) {}

void Label::setCaption(const QString& c) {
    if (c == caption_) return;
    caption_ = c;
    setAccessibleName(c);
    if (autoSize_) fitToCaption();
    update();
    Change();
}

void Label::setAutoSize(bool v) {
    autoSize_ = v;
    if (v) fitToCaption();
}

namespace {

// A caption's lines end at CR LF, a lone CR or a lone LF, as the original
// desktop draws them; Qt breaks lines only at LF.
QString shownLines(const QString& caption) {
    QString t = caption;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    t.replace(u'\r', u'\n');
    return t;
}

}  // namespace

void Label::fitToCaption() {
    const QFontMetrics fm(font());
    const QString text = shownLines(caption_);
    // The advance is rounded up: a width a fraction short would wrap the
    // last character onto a line the label does not show. A caption of
    // several lines is as wide as its widest and shows every one.
    QSize s;
    if (wordWrap_) {
        s = fm.boundingRect(QRect(0, 0, width(), 10000), Qt::TextWordWrap, text).size();
    } else {
        double widest = 0;
        for (const QString& line : text.split(u'\n'))
            widest = std::max(widest, QFontMetricsF(font()).horizontalAdvance(line));
        s = QSize(static_cast<int>(std::ceil(widest)),
                  text.contains(u'\n') ? fm.boundingRect(QRect(), 0, text).height() : fm.height());
    }
    QRectF r = twipsRect();
    if (!wordWrap_) r.setWidth(s.width() * kTwipsPerPixel);
    r.setHeight(s.height() * kTwipsPerPixel);
    setTwipsRect(r);
}

void Label::setAlignment(int a) {
    if (a < 0 || a > 2) throw RuntimeError(380, QStringLiteral("Invalid property value"));
    alignment_ = a;
    update();
}
void Label::setBackStyle(int v) {
    backStyle_ = v;
    update();
}
void Label::setBackColor(Long c) {
    backColor_ = c;
    update();
}
void Label::setForeColor(Long c) {
    foreColor_ = c;
    update();
}
void Label::setWordWrap(bool v) {
    wordWrap_ = v;
    if (autoSize_) fitToCaption();
    update();
}
void Label::applyFont(const QFont& f) {
    QWidget::setFont(f);
    if (autoSize_) fitToCaption();
    update();
}
void Label::setFontSize(double pt) {
    QFont f = font();
    f.setPointSizeF(pt);
    setFont(f);
}
void Label::setFontBold(bool b) {
    QFont f = font();
    f.setBold(b);
    setFont(f);
}

void Label::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (backStyle_ == 1) p.fillRect(rect(), toQColor(backColor_));
    p.setPen(toQColor(foreColor_));
    p.setFont(font());
    int flags = alignment_ == 1   ? Qt::AlignRight
                : alignment_ == 2 ? Qt::AlignHCenter
                                  : Qt::AlignLeft;
    // A label that sizes itself to its caption keeps to the caption's lines.
    flags |= Qt::AlignTop;
    if (wordWrap_ || !autoSize_) flags |= Qt::TextWordWrap;
    p.drawText(rect(), flags, shownLines(caption_));
}

// ---------------------------------------------------------------- DataObject

namespace {

// Addresses that file managers give for files on shares they have not
// mounted; a file address naming another host is one too.
bool namesSharedFile(const QUrl& u) {
    static const QStringList schemes = {
        QStringLiteral("smb"),  QStringLiteral("cifs"), QStringLiteral("nfs"),
        QStringLiteral("afp"),  QStringLiteral("sftp"), QStringLiteral("ftp"),
        QStringLiteral("ftps"), QStringLiteral("dav"),  QStringLiteral("davs"),
        QStringLiteral("fish"),
    };
    return u.isLocalFile() || schemes.contains(u.scheme(), Qt::CaseInsensitive);
}

}  // namespace

DataObject DataObject::fromMime(const QMimeData& mime) {
    std::vector<File> files;
    for (const QUrl& u : mime.urls()) {
        const QString host = u.host();
        if (u.isLocalFile() &&
            (host.isEmpty() || host.compare(u"localhost", Qt::CaseInsensitive) == 0))
            files.push_back({u.path(QUrl::FullyDecoded), true});
        else if (namesSharedFile(u))
            files.push_back({u.toString(QUrl::PreferLocalFile), false});
    }
    return DataObject(std::move(files));
}

const DataObject::File& DataObject::at(int index) const {
    if (index < 1 || index > FileCount())
        throw RuntimeError(9, QStringLiteral("Subscript out of range"));
    return files_[static_cast<std::size_t>(index - 1)];
}

QString DataObject::Files(int index) const {
    return at(index).path;
}

bool DataObject::FileIsHere(int index) const {
    return at(index).here;
}

// ---------------------------------------------------------------- Frame

Frame::Frame(QWidget* container)
    : MouseControl(container, true), backColor_(sysColor(0x0F)), foreColor_(sysColor(0x12)) {}

void Frame::setCaption(const QString& c) {
    caption_ = c;
    setAccessibleName(c);
    update();
}
void Frame::setOLEDropMode(int mode) {
    setAcceptDrops(mode == 1);
}
void Frame::setBackColor(Long c) {
    backColor_ = c;
    update();
}
void Frame::setForeColor(Long c) {
    foreColor_ = c;
    update();
}
void Frame::setBorderStyle(int style) {
    borderStyle_ = style;
    update();
}

void Frame::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), toQColor(backColor_));
    // A borderless frame is only a surface: its caption goes with the border.
    if (borderStyle_ == 0) return;
    const QFontMetrics fm(font());
    const int top = fm.height() / 2;
    p.setPen(QColor(0xA0, 0xA0, 0xA0));
    p.drawRect(QRect(0, top, width() - 1, height() - top - 1));
    if (!caption_.isEmpty()) {
        const QRect tr(8, 0, fm.horizontalAdvance(caption_), fm.height());
        p.fillRect(tr, toQColor(backColor_));
        p.setPen(toQColor(foreColor_));
        p.drawText(tr, Qt::AlignLeft | Qt::AlignVCenter, caption_);
    }
}

// Qt hands a drop over a contained control that takes no drops to the
// nearest container that does, so a drop over the frame's labels lands here.
void Frame::dragEnterEvent(QDragEnterEvent* e) {
    e->acceptProposedAction();
}
void Frame::dragMoveEvent(QDragMoveEvent* e) {
    e->acceptProposedAction();
}

void Frame::dropEvent(QDropEvent* e) {
    e->acceptProposedAction();
    drop(DataObject::fromMime(*e->mimeData()), e->position(), e->buttons(), e->modifiers());
}

void Frame::drop(DataObject data, QPointF localPx, Qt::MouseButtons buttons,
                 Qt::KeyboardModifiers mods) {
    Long effect = 1;  // copy
    Integer button = buttonsOf(buttons);
    Integer shift = shiftOf(mods);
    const double k = kTwipsPerPixel / eventUnitTwips();
    Single x = static_cast<Single>(localPx.x() * k);
    Single y = static_cast<Single>(localPx.y() * k);
    OLEDragDrop(data, effect, button, shift, x, y);
}

// ---------------------------------------------------------------- Image

Image::Image(QWidget* container) : MouseControl(container, false), picture_(emptyPicture()) {}

void Image::setPicture(PicturePtr p) {
    if (!p) p = emptyPicture();
    const bool same = p == picture_;
    picture_ = std::move(p);
    if (!stretch_ && !picture_->isEmpty()) {
        QRectF r = twipsRect();
        r.setSize(
            QSizeF(picture_->widthPx() * kTwipsPerPixel, picture_->heightPx() * kTwipsPerPixel));
        setTwipsRect(r);
    }
    if (!same) update();
}

void Image::setStretch(bool v) {
    stretch_ = v;
    update();
}

void Image::paintEvent(QPaintEvent*) {
    if (!picture_ || picture_->isEmpty()) return;
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    if (stretch_)
        p.drawImage(rect(), picture_->image());
    else
        p.drawImage(QPoint(0, 0), picture_->image());
}

// ---------------------------------------------------------------- PictureBox

PictureBox::PictureBox(QWidget* container)
    : InputControl(container, true), picture_(emptyPicture()), backColor_(sysColor(0x0F)) {
    setFocusPolicy(Qt::StrongFocus);
}

void PictureBox::setPicture(PicturePtr p) {
    if (!p) p = emptyPicture();
    const bool same = p == picture_;
    picture_ = std::move(p);
    if (autoSize_ && !picture_->isEmpty()) {
        QRectF r = twipsRect();
        r.setSize(
            QSizeF(picture_->widthPx() * kTwipsPerPixel, picture_->heightPx() * kTwipsPerPixel));
        setTwipsRect(r);
    }
    if (!same) update();
}

void PictureBox::setBackColor(Long c) {
    backColor_ = c;
    update();
}
void PictureBox::setBorderStyle(int v) {
    borderStyle_ = v;
    update();
}
void PictureBox::setAutoSize(bool v) {
    autoSize_ = v;
}

void PictureBox::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), toQColor(backColor_));
    if (picture_ && !picture_->isEmpty()) p.drawImage(QPoint(0, 0), picture_->image());
    if (borderStyle_ == 1) {
        p.setPen(QColor(0xA0, 0xA0, 0xA0));
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

// ---------------------------------------------------------------- Shape

Shape::Shape(QWidget* container) : Control(container, false) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Shape::setShapeKind(Integer v) {
    if (v < 0 || v > 5) throw RuntimeError(380, QStringLiteral("Invalid property value"));
    shape_ = v;
    update();
}
void Shape::setFillColor(Long c) {
    fillColor_ = c;
    update();
}
void Shape::setFillStyle(Integer v) {
    fillStyle_ = v;
    update();
}
void Shape::setBorderColor(Long c) {
    borderColor_ = c;
    update();
}
void Shape::setBorderStyle(Integer v) {
    borderStyle_ = v;
    update();
}
void Shape::setBorderWidth(Integer v) {
    borderWidth_ = v;
    update();
}
void Shape::setBackStyle(Integer v) {
    backStyle_ = v;
    update();
}
void Shape::setBackColor(Long c) {
    backColor_ = c;
    update();
}

void Shape::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, shape_ >= 2);
    QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    if (shape_ == 1 || shape_ == 3 || shape_ == 5) {
        const double side = std::min(r.width(), r.height());
        r = QRectF(r.center().x() - side / 2, r.center().y() - side / 2, side, side);
    }
    QPainterPath path;
    if (shape_ == 2 || shape_ == 3)
        path.addEllipse(r);
    else if (shape_ == 4 || shape_ == 5) {
        const double rad = std::min(r.width(), r.height()) / 8;
        path.addRoundedRect(r, rad, rad);
    } else
        path.addRect(r);
    if (backStyle_ == 1) p.fillPath(path, toQColor(backColor_));
    if (fillStyle_ == 0) p.fillPath(path, toQColor(fillColor_));
    if (borderStyle_ != 0) {
        QPen pen(toQColor(borderColor_));
        pen.setWidth(borderWidth_);
        p.setPen(pen);
        p.drawPath(path);
    }
}

// ---------------------------------------------------------------- Timer

Timer::Timer(QObject* owner) : QObject(owner) {
    connect(&qt_, &QTimer::timeout, this, [this] { due(); });
}

void Timer::due() {
    // A tick waits for the input the window system holds: a click, a key or
    // a close request made while a handler ran (one that sleeps, say) is
    // handled first, and may stop this timer or close its window. Other
    // timers stay where they are in the queue.
    const QPointer<Timer> self(this);
    QCoreApplication::processEvents(QEventLoop::X11ExcludeTimers);
    if (!self || !running()) return;
    ticked();
}

void Timer::setPointerPoll(bool on) {
    pointerPoll_ = on;
    sync();
}

void Timer::ticked() {
    Tick();
    // A tick while resting looked afresh (the pointer functions ask the
    // window system again after that long) and found nothing to act on.
    if (!pointerPoll_ || !running() || resting_) return;
    PointerChanges* changes = host().pointerChanges();
    if (!changes) return;
    if (stamped_ && changes->stamp() == lastStamp_) {
        rest();
        return;
    }
    lastStamp_ = changes->stamp();
    stamped_ = true;
}

void Timer::rest() {
    PointerChanges* changes = host().pointerChanges();
    resting_ = true;
    if (host().timersRun()) qt_.start(std::max(interval_, kPointerPollRestMs));
    connect(changes, &PointerChanges::changed, this, &Timer::sync, Qt::UniqueConnection);
}

void Timer::setInterval(int ms) {
    interval_ = ms;
    sync();
}

void Timer::setEnabled(bool v) {
    // Enabling a running timer leaves its count alone; setting the interval
    // starts it afresh.
    if (v == enabled_) return;
    enabled_ = v;
    sync();
}

void Timer::setPrecise(bool v) {
    qt_.setTimerType(v ? Qt::PreciseTimer : Qt::CoarseTimer);
    sync();  // a running timer takes the new kind at once
}

void Timer::sync() {
    if (resting_) {
        resting_ = false;
        if (PointerChanges* changes = host().pointerChanges())
            disconnect(changes, &PointerChanges::changed, this, &Timer::sync);
    }
    stamped_ = false;
    if (running() && host().timersRun()) {
        qt_.start(interval_);
    } else {
        qt_.stop();
    }
}

void Timer::fire() {
    if (running()) due();
}

}  // namespace rt
