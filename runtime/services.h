#pragma once
// The runtime's services as the windows call them.
#include <QPoint>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>
#include <optional>

#include "host.h"

namespace rt {

namespace App {
// The program's folder, without a trailing separator.
QString Path();
void setPath(const QString& path);
// Shown on every message box that gives no title of its own.
QString Title();
void setTitle(const QString& title);
}  // namespace App

int MsgBox(const QString& prompt, int buttons = vbOKOnly,
           const std::optional<QString>& title = std::nullopt);
QString InputBox(const QString& prompt, const std::optional<QString>& title = std::nullopt,
                 const QString& def = {});
double Shell(const QString& line, int style);
// The file name of a path when the file exists, "" otherwise.
QString Dir(const QString& path);
void Sleep(int ms);
void SendKeys(const QString& keys);
[[noreturn]] void End();

// A Windows-style path as a path of this machine: backslashes become "/" and a
// drive letter moves under the drive folder (never the real root); "" for a
// drive path when there is no drive folder.
QString hostPath(const QString& windowsPath);

// Late-bound automation objects. Only "wscript.shell" exists; its "run" opens
// an address with what the desktop associates with it.
class AutomationObject {
public:
    virtual ~AutomationObject() = default;
    virtual QVariant call(const QString& method, const QVariantList& args) = 0;
};
std::unique_ptr<AutomationObject> CreateObject(const QString& className);

// Sequential reading of a text file. A line ends at CR, CR LF or a lone LF;
// the end mark is not part of the line; the last line may end at the end of
// the file.
class TextFile {
public:
    // Fails with error 53 when the file cannot be opened.
    explicit TextFile(const QString& windowsPath);
    QString LineInput();  // error 62 past the end
    bool Eof() const { return pos_ >= data_.size(); }
    void Close() {
        data_.clear();
        pos_ = 0;
    }

private:
    QByteArray data_;
    qsizetype pos_ = 0;
};

// Opens a file for output and closes it again, as "Open ... For Output" does:
// afterwards the file exists and is empty. The folders above it are made
// first (a fresh drive folder lacks those that Windows always has). False
// when the file could not be made, and when a link, folder or anything else
// but a plain file stands in its place (a link is left alone, never
// followed).
bool CreateEmptyFile(const QString& windowsPath);

// user32's pointer and capture functions.
bool GetCursorPos(QPoint& pt);
bool ScreenToClient(Hwnd w, QPoint& pt);
bool ClientToScreen(Hwnd w, QPoint& pt);
Hwnd WindowFromPoint(int x, int y);
Hwnd GetCapture();
Hwnd SetCapture(Hwnd w);
bool ReleaseCapture();
// Releases the capture on the runtime's own account and lets the holder run
// its steps for a lost capture: before a message or input box opens, when
// another window takes the activation, when the holder is disabled.
void TakeCaptureAway();

}  // namespace rt
