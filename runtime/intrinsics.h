#pragma once
// The runtime's intrinsic controls: text box, label, frame, image, picture
// box, shape and timer.
#include <QFont>
#include <QStringList>
#include <QTimer>
#include <vector>

#include "control.h"
#include "font.h"
#include "picture.h"

class QInputMethodEvent;
class QLineEdit;
class QMimeData;

namespace rt {

// Font settings shared by the controls that show text.
QFont runtimeFont(const QString& name, double sizePt, bool bold);
// The Chinese typefaces the windows were designed with are absent here; their
// names resolve to faces that hold the same script, so that a caption mixing
// Latin and Chinese is measured and drawn with one face.
void installTypefaceSubstitutes();

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

class Label : public MouseControl {
    Q_OBJECT
public:
    explicit Label(QWidget* container);

    QString Caption() const { return caption_; }
    // Raises Change when the caption differs.
    void setCaption(const QString& c);
    bool AutoSize() const { return autoSize_; }
    void setAutoSize(bool v);
    int Alignment() const { return alignment_; }
    // 0 left, 1 right, 2 centre; others fail with error 380.
    void setAlignment(int a);
    // 0 transparent, 1 opaque.
    int BackStyle() const { return backStyle_; }
    void setBackStyle(int v);
    Long BackColor() const { return backColor_; }
    void setBackColor(Long c);
    Long ForeColor() const { return foreColor_; }
    void setForeColor(Long c);
    bool WordWrap() const { return wordWrap_; }
    void setWordWrap(bool v);
    // The font object the label holds; changing it restyles the label at once.
    FontPtr Font() const { return font_.get(); }
    void setFont(FontPtr f) { font_.set(std::move(f)); }
    // New settings for the held font (every control holding it follows).
    void setFont(const QFont& f) { font_.change(f); }
    double FontSize() const { return font().pointSizeF(); }
    void setFontSize(double pt);
    bool FontBold() const { return font().bold(); }
    void setFontBold(bool b);

    Event<> Change;

protected:
    void paintEvent(QPaintEvent*) override;

private:
    void fitToCaption();
    void applyFont(const QFont& f);
    QString caption_;
    bool autoSize_ = false;
    int alignment_ = 0;
    int backStyle_ = 1;
    Long backColor_;
    Long foreColor_;
    bool wordWrap_ = false;
    HeldFont font_;
};

// The data of a drop. It offers the file-list format (15) only when files
// came, the first at 1. A file is either a path on this computer or the
// address of a file elsewhere (a network share the desktop has not mounted),
// which nothing here can open by a path.
class DataObject {
public:
    static constexpr int vbCFFiles = 15;
    struct File {
        QString path;
        bool here = true;
    };
    explicit DataObject(std::vector<File> files) : files_(std::move(files)) {}
    // What a drop from another program carries: local file addresses become
    // paths, addresses of shared files stay addresses, anything else (text,
    // a web address) is no file.
    static DataObject fromMime(const QMimeData& mime);

    bool GetFormat(int format) const { return format == vbCFFiles && !files_.empty(); }
    // Path (or address) at a 1-based index; error 9 outside the list.
    QString Files(int index) const;
    // Whether the file at a 1-based index lies on this computer; error 9 outside.
    bool FileIsHere(int index) const;
    int FileCount() const { return static_cast<int>(files_.size()); }

private:
    const File& at(int index) const;
    std::vector<File> files_;
};

class Frame : public MouseControl {
    Q_OBJECT
public:
    explicit Frame(QWidget* container);
    QString Caption() const { return caption_; }
    void setCaption(const QString& c);
    // 0 none; 1 manual: the frame takes every drop (files, text, a web
    // address) and raises OLEDragDrop with it, also for drops over the
    // controls it contains.
    void setOLEDropMode(int mode);
    void setBackColor(Long c);
    void setForeColor(Long c);
    // 0 none (neither border nor caption is drawn), 1 fixed single.
    int BorderStyle() const { return borderStyle_; }
    void setBorderStyle(int style);

    Event<DataObject&, Long&, Integer&, Integer&, Single&, Single&> OLEDragDrop;

protected:
    void paintEvent(QPaintEvent*) override;
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dragMoveEvent(QDragMoveEvent* e) override;
    void dropEvent(QDropEvent* e) override;

private:
    // Raises OLEDragDrop for a drop at a point of the frame (pixels).
    void drop(DataObject data, QPointF localPx, Qt::MouseButtons buttons,
              Qt::KeyboardModifiers mods);

    QString caption_;
    Long backColor_;
    Long foreColor_;
    int borderStyle_ = 1;
};

class Image : public MouseControl {
    Q_OBJECT
public:
    explicit Image(QWidget* container);
    PicturePtr Picture() const { return picture_; }
    // Without Stretch the image takes the picture's size.
    void setPicture(PicturePtr p);
    bool Stretch() const { return stretch_; }
    void setStretch(bool v);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    PicturePtr picture_;
    bool stretch_ = false;
};

class PictureBox : public InputControl, public Scalable {
    Q_OBJECT
public:
    explicit PictureBox(QWidget* container);
    PicturePtr Picture() const { return picture_; }
    void setPicture(PicturePtr p);
    Long BackColor() const { return backColor_; }
    void setBackColor(Long c);
    // 0 none, 1 fixed single.
    void setBorderStyle(int v);
    void setAutoSize(bool v);
    double eventUnitTwips() const override { return unitTwips(); }

protected:
    const QWidget* scaleWidget() const override { return this; }
    void paintEvent(QPaintEvent*) override;

private:
    PicturePtr picture_;
    Long backColor_;
    int borderStyle_ = 1;
    bool autoSize_ = false;
};

// A shape is drawn by its container and never takes the mouse.
class Shape : public Control {
    Q_OBJECT
public:
    explicit Shape(QWidget* container);
    // 0 rectangle, 1 square, 2 oval, 3 circle, 4 rounded rectangle, 5 rounded
    // square; any other value fails with error 380.
    Integer ShapeKind() const { return shape_; }
    void setShapeKind(Integer v);
    Long FillColor() const { return fillColor_; }
    void setFillColor(Long c);
    // 0 solid, 1 transparent.
    Integer FillStyle() const { return fillStyle_; }
    void setFillStyle(Integer v);
    Long BorderColor() const { return borderColor_; }
    void setBorderColor(Long c);
    // 0 transparent, 1 solid.
    void setBorderStyle(Integer v);
    void setBorderWidth(Integer v);
    void setBackStyle(Integer v);
    Long BackColor() const { return backColor_; }
    void setBackColor(Long c);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    Integer shape_ = 0;
    Long fillColor_ = 0;
    Integer fillStyle_ = 1;
    Long borderColor_ = 0;
    Integer borderStyle_ = 1;
    Integer borderWidth_ = 1;
    Integer backStyle_ = 0;
    Long backColor_ = 0xFFFFFF;
};

class Timer : public QObject {
    Q_OBJECT
public:
    explicit Timer(QObject* owner);
    QString Name() const { return objectName(); }
    int Index() const { return index_; }
    void setIndex(int i) { index_ = i; }
    int Interval() const { return interval_; }
    void setInterval(int ms);
    bool Enabled() const { return enabled_; }
    void setEnabled(bool v);
    // Whether a tick would come: enabled with a non-zero interval.
    bool running() const { return enabled_ && interval_ > 0; }
    // A precise timer keeps to its interval to the millisecond; the default
    // one may be moved by a few percent to share wake-ups.
    bool precise() const { return qt_.timerType() == Qt::PreciseTimer; }
    void setPrecise(bool v);
    // The timer comes due now, when it is running (tests drive timers this
    // way): the input already queued is handled first, then the tick comes
    // unless that input stopped the timer.
    void fire();
    // A poll of the pointer: on a host that tells when the pointer or the
    // windows change, a tick that could only find what the one before found
    // is left out, and the next comes at most one interval after a change
    // (at the latest after kPointerPollRestMs). So a poll of 1 ms costs next
    // to nothing while the pointer rests.
    void setPointerPoll(bool on);
    static constexpr int kPointerPollRestMs = 50;
    bool resting() const { return resting_; }

    // The Timer event (a member cannot bear its class's name).
    Event<> Tick;

private:
    void sync();
    void due();
    void ticked();
    void rest();
    QTimer qt_;
    int interval_ = 0;
    bool enabled_ = true;
    int index_ = -1;
    bool pointerPoll_ = false;
    bool resting_ = false;
    bool stamped_ = false;
    quint64 lastStamp_ = 0;
};

}  // namespace rt
