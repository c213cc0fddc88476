#include "frame.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFontMetrics>
#include <QMimeData>
#include <QPainter>
#include <QStringList>
#include <QUrl>

#include "color.h"

namespace rt {

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

}  // namespace rt
