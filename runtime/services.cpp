#include "services.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QWidget>
#include <cstdlib>

#include "control.h"
#include "types.h"
#include "winrules/drivepath.h"

namespace rt {

namespace {
QString& appPathOverride() {
    static QString p;
    return p;
}
QString& appTitle() {
    static QString t;
    return t;
}
}  // namespace

QString App::Path() {
    if (!appPathOverride().isEmpty()) return appPathOverride();
    QString p = QCoreApplication::applicationDirPath();
    while (p.size() > 1 && p.endsWith(u'/')) p.chop(1);
    return p;
}
void App::setPath(const QString& path) {
    appPathOverride() = path;
}
QString App::Title() {
    return appTitle().isEmpty() ? QCoreApplication::applicationName() : appTitle();
}
void App::setTitle(const QString& title) {
    appTitle() = title;
}

int MsgBox(const QString& prompt, int buttons, const std::optional<QString>& title) {
    // A modal box must be answerable with the mouse.
    TakeCaptureAway();
    return host().msgBox(prompt, buttons, title.value_or(App::Title()));
}

QString InputBox(const QString& prompt, const std::optional<QString>& title, const QString& def) {
    TakeCaptureAway();
    return host().inputBox(prompt, title.value_or(App::Title()), def);
}

double Shell(const QString& line, int style) {
    return host().shell(line, style);
}

QString hostPath(const QString& windowsPath) {
    return QString::fromStdString(winrules::mapDrivePath(windowsPath.toStdString()));
}

QString Dir(const QString& path) {
    const QString mapped = hostPath(path);
    const QFileInfo fi(mapped);
    const QString name = fi.fileName();
    const QString folder = fi.path();
    // The Windows tool files: "adb.exe" is the "adb" beside the program, and
    // the two USB libraries are part of what that adb needs, so they count as
    // present with it.
    QStringList candidates{mapped};
    if (name.endsWith(QStringLiteral(".exe"), Qt::CaseInsensitive))
        candidates << folder + u'/' + name.chopped(4);
    if (name.compare(QStringLiteral("AdbWinApi.dll"), Qt::CaseInsensitive) == 0 ||
        name.compare(QStringLiteral("AdbWinUsbApi.dll"), Qt::CaseInsensitive) == 0)
        candidates << folder + QStringLiteral("/adb");
    for (const QString& c : candidates)
        if (host().fileExists(c)) return name;
    return {};
}

void Sleep(int ms) {
    host().sleep(ms);
}
void SendKeys(const QString& keys) {
    host().sendKeys(keys);
}
void End() {
    host().end();
    std::abort();  // a host's end never returns
}

namespace {
class ScriptShell : public AutomationObject {
public:
    QVariant call(const QString& method, const QVariantList& args) override {
        if (method.compare(QStringLiteral("run"), Qt::CaseInsensitive) != 0 || args.isEmpty())
            throw RuntimeError(438,
                               QStringLiteral("Object doesn't support this property or method"));
        host().openDocument(args.first().toString());
        return 0;
    }
};
}  // namespace

std::unique_ptr<AutomationObject> CreateObject(const QString& className) {
    if (className.compare(QStringLiteral("wscript.shell"), Qt::CaseInsensitive) == 0)
        return std::make_unique<ScriptShell>();
    throw RuntimeError(429, QStringLiteral("ActiveX component can't create object"));
}

TextFile::TextFile(const QString& windowsPath) {
    QFile f(hostPath(windowsPath));
    if (!f.open(QIODevice::ReadOnly)) throw RuntimeError(53, QStringLiteral("File not found"));
    data_ = f.readAll();
}

QString TextFile::LineInput() {
    if (Eof()) throw RuntimeError(62, QStringLiteral("Input past end of file"));
    qsizetype end = pos_;
    while (end < data_.size() && data_[end] != '\r' && data_[end] != '\n') ++end;
    const QString line = QString::fromUtf8(data_.mid(pos_, end - pos_));
    pos_ = end;
    if (pos_ < data_.size()) {
        const bool cr = data_[pos_] == '\r';
        ++pos_;
        if (cr && pos_ < data_.size() && data_[pos_] == '\n') ++pos_;
    }
    return line;
}

bool CreateEmptyFile(const QString& windowsPath) {
    const std::string mapped = winrules::mapDrivePath(windowsPath.toStdString());
    if (mapped.empty() || !winrules::makeParentFolders(mapped)) return false;
    // A link in the file's place is never followed, so emptying the file can
    // never truncate another one; nor is anything but a plain file emptied
    // (a pipe there would block the window until someone read it).
    const int fd =
        ::open(mapped.c_str(), O_WRONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0) return false;
    struct stat st {};
    const bool emptied = fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && ftruncate(fd, 0) == 0;
    ::close(fd);
    return emptied;
}

bool GetCursorPos(QPoint& pt) {
    pt = host().cursorPos();
    return true;
}

bool ScreenToClient(Hwnd w, QPoint& pt) {
    if (!w) return false;
    pt = w->mapFromGlobal(pt);
    return true;
}

bool ClientToScreen(Hwnd w, QPoint& pt) {
    if (!w) return false;
    pt = w->mapToGlobal(pt);
    return true;
}

Hwnd WindowFromPoint(int x, int y) {
    return host().windowFromPoint(QPoint(x, y));
}
Hwnd GetCapture() {
    return host().getCapture();
}

Hwnd SetCapture(Hwnd w) {
    Hwnd prev = host().getCapture();
    host().setCapture(w);
    return prev;
}

bool ReleaseCapture() {
    host().releaseCapture();
    return true;
}

void TakeCaptureAway() {
    Hwnd holder = host().getCapture();
    if (!holder) return;
    host().releaseCapture();
    if (auto* c = dynamic_cast<Control*>(holder)) c->captureTakenAway();
}

}  // namespace rt
