#include "xdriver.h"

#include <xcb/xcb.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>
#include <QUrl>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace x11test {

namespace {

void xdotool(const QStringList& args) {
    QProcess::execute(QStringLiteral("xdotool"), args);
}

}  // namespace

void moveTo(QPoint global) {
    xdotool({QStringLiteral("mousemove"), QString::number(global.x() + 1),
             QString::number(global.y()), QStringLiteral("mousemove"), QString::number(global.x()),
             QString::number(global.y())});
}

void moveTo(const QWidget* w, QPoint local) {
    moveTo(w->mapToGlobal(local));
}

void click(int button) {
    xdotool({QStringLiteral("click"), QString::number(button)});
}

void clickOn(const QWidget* w) {
    moveTo(w, w->rect().center());
    click();
}

void type(const QString& text) {
    // "--": a text that begins with "-" is not an option.
    xdotool({QStringLiteral("type"), QStringLiteral("--"), text});
}

void key(const QString& combination) {
    xdotool({QStringLiteral("key"), combination});
}

void requestClose(unsigned long windowId) {
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c)) {
        xcb_disconnect(c);
        return;
    }
    const auto atom = [c](const char* name) {
        xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
            c, xcb_intern_atom(c, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr);
        const xcb_atom_t a = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
        std::free(reply);
        return a;
    };
    xcb_client_message_event_t msg{};
    msg.response_type = XCB_CLIENT_MESSAGE;
    msg.format = 32;
    msg.window = static_cast<xcb_window_t>(windowId);
    msg.type = atom("WM_PROTOCOLS");
    msg.data.data32[0] = atom("WM_DELETE_WINDOW");
    msg.data.data32[1] = XCB_CURRENT_TIME;
    // A checked send waits for the server's answer: a connection closed
    // right after a plain flush sometimes lost the event.
    std::free(xcb_request_check(c, xcb_send_event_checked(c, 0, msg.window, XCB_EVENT_MASK_NO_EVENT,
                                                          reinterpret_cast<const char*>(&msg))));
    xcb_disconnect(c);
}

bool waitFor(const std::function<bool()>& done) {
    return QTest::qWaitFor(done, 5000);
}

ModalAnswer::ModalAnswer(std::function<QAbstractButton*(QWidget*)> pick,
                         std::function<void(QWidget*)> first)
    : pick_(std::move(pick)), first_(std::move(first)) {
    QObject::connect(&timer_, &QTimer::timeout, &timer_, [this] { poll(); });
    timer_.start(20);
}

void ModalAnswer::poll() {
    QWidget* box = QApplication::activeModalWidget();
    if (!box || !box->isVisible() || !box->windowHandle() || !box->windowHandle()->isExposed())
        return;
    QAbstractButton* button = pick_(box);
    if (!button) return;
    timer_.stop();
    if (first_) first_(box);
    moveTo(button, button->rect().center());
    click();
    answered_ = true;
}

QAbstractButton* buttonLabelled(QWidget* box, const QString& text) {
    static const QRegularExpression mnemonic(QStringLiteral("&(?!&)"));
    for (QAbstractButton* b : box->findChildren<QAbstractButton*>())
        if (b->isVisible() && b->text().remove(mnemonic).compare(text, Qt::CaseInsensitive) == 0)
            return b;
    return nullptr;
}

QAbstractButton* okButton(QWidget* box) {
    return buttonLabelled(box, QStringLiteral("OK"));
}

std::function<void(QWidget*)> noteBox(SeenBox& seen) {
    return [&seen](QWidget* box) {
        seen.title = box->windowTitle();
        if (auto* m = qobject_cast<QMessageBox*>(box)) seen.icon = m->icon();
    };
}

void dropFile(QWidget* window, QPoint at, const QString& path) {
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(path)});
    QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window->windowHandle(), &enter);
    QDropEvent drop(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window->windowHandle(), &drop);
}

namespace {

QString readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

// A process that is gone, or a zombie that nothing will run again.
bool exited(const QString& pid) {
    const QString stat = readAll(QStringLiteral("/proc/%1/stat").arg(pid));
    const qsizetype close = stat.lastIndexOf(u')');
    return close < 0 || stat.mid(close + 2, 1) == QLatin1String("Z");
}

}  // namespace

FakeAdb::FakeAdb(const QStringList& others, const QByteArray& answers, bool phone) : phone_(phone) {
    for (const QString& tool : QStringList{QStringLiteral("adb")} + others) {
        // The interpreter first, so that it is known once the call shows
        // (a tool that ends its line runs in the interpreter's place, so it
        // is that process itself); then one write per call, each argument
        // ended by a unit separator.
        write(tool,
              "#!/bin/sh\n"
              "p=$PPID\n"
              "[ \"$(cat /proc/$p/comm 2>/dev/null)\" = cmd ] || p=$$\n"
              "echo $p >> \"" +
                  dir_.filePath(QStringLiteral("interpreters")).toUtf8() +
                  "\"\n"
                  "us=$(printf '\\037')\n"
                  "line=\n"
                  "for a in \"$@\"; do line=\"$line$a$us\"; done\n"
                  "printf '%s\\n' \"$line\" >> \"" +
                  dir_.filePath(tool + QStringLiteral(".log")).toUtf8() + "\"\n" +
                  (tool == QStringLiteral("adb") && !answers.isEmpty()
                       ? "case \"$*\" in\n" + answers + "esac\n"
                       : QByteArray()));
    }
    path_ = qgetenv("PATH");
    hadTerminal_ = qEnvironmentVariableIsSet("TERMINAL");
    terminal_ = qgetenv("TERMINAL");
    qputenv("PATH", dir_.path().toUtf8() + ':' + path_);
    if (phone) {
        write(QStringLiteral("terminal"),
              "#!/bin/sh\nwhile [ \"$#\" -gt 0 ] && [ \"$1\" != -e ]; do shift; done\n"
              "shift\nexec \"$@\"\n");
        qputenv("TERMINAL", dir_.filePath(QStringLiteral("terminal")).toUtf8());
        qputenv("TESSADREL_DRIVES", dir_.filePath(QStringLiteral("drives")).toUtf8());
    } else {
        qputenv("TERMINAL", "true");
    }
}

FakeAdb::~FakeAdb() {
    qputenv("PATH", path_);
    if (hadTerminal_)
        qputenv("TERMINAL", terminal_);
    else
        qunsetenv("TERMINAL");
    if (phone_) qunsetenv("TESSADREL_DRIVES");
}

void FakeAdb::write(const QString& name, const QByteArray& text) {
    QFile f(dir_.filePath(name));
    f.open(QIODevice::WriteOnly);
    f.write(text);
    f.close();
    f.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

QStringList FakeAdb::sortedCalls() const {
    QStringList c = calls();
    std::sort(c.begin(), c.end());
    return c;
}

QStringList FakeAdb::calls(const QString& tool) const {
    QStringList r;
    for (const QStringList& args : argv(tool)) r.append(args.join(u' '));
    return r;
}

std::vector<QStringList> FakeAdb::argv(const QString& tool) const {
    QStringList lines = readAll(dir_.filePath(tool + QStringLiteral(".log"))).split(u'\n');
    lines.removeLast();  // after the last call's line end
    std::vector<QStringList> r;
    for (const QString& line : lines) {
        QStringList args = line.split(QChar(0x1f));
        args.removeLast();
        r.push_back(args);
    }
    return r;
}

bool FakeAdb::interpretersDone() const {
    return waitFor([this] {
        const QStringList pids =
            readAll(dir_.filePath(QStringLiteral("interpreters"))).split(u'\n', Qt::SkipEmptyParts);
        for (const QString& pid : pids)
            if (!exited(pid)) return false;
        return true;
    });
}

}  // namespace x11test
