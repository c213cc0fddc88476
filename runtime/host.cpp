#include "host.h"

#include <QApplication>
#include <QFileInfo>
#include <QInputDialog>
#include <QKeyEvent>
#include <QMessageBox>
#include <QThread>
#include <cstdlib>

#include "control.h"
#include "form.h"
#include "runtime/posix/shellstart.h"
#include "runtime/x11/pointerwatch.h"
#include "services.h"
#include "types.h"
#include "winrules/document.h"

namespace rt {

Hwnd windowOf(QWidget* w) {
    for (; w; w = w->parentWidget()) {
        if (auto* c = dynamic_cast<Control*>(w)) {
            if (c->windowed()) return c;
            continue;
        }
        if (dynamic_cast<Form*>(w) || w->isWindow()) return w;
    }
    return nullptr;
}

Hwnd windowIn(QWidget* top, QPoint screen) {
    if (!top) return nullptr;
    QWidget* child = top->childAt(top->mapFromGlobal(screen));
    return windowOf(child ? child : top);
}

Hwnd windowAt(QPoint screen) {
    QWidget* top = nullptr;
    const auto tops = QApplication::topLevelWidgets();
    for (QWidget* w : tops) {
        if (!w->isVisible() || !w->geometry().contains(screen)) continue;
        if (w == QApplication::activeWindow()) {
            top = w;
            break;
        }
        top = w;
    }
    return windowIn(top, screen);
}

namespace {

class RealHost final : public Host {
public:
    double shell(const QString& line, int style) override {
        return shellstart::run(line, style, App::Path(), QProcessEnvironment::systemEnvironment());
    }

    int msgBox(const QString& text, int flags, const QString& title) override {
        QMessageBox box;
        box.setWindowTitle(title);
        box.setText(text);
        switch (flags & 0xF0) {
            case vbCritical:
                box.setIcon(QMessageBox::Critical);
                break;
            case vbQuestion:
                box.setIcon(QMessageBox::Question);
                break;
            case vbExclamation:
                box.setIcon(QMessageBox::Warning);
                break;
            case vbInformation:
                box.setIcon(QMessageBox::Information);
                break;
            default:
                box.setIcon(QMessageBox::NoIcon);
                break;
        }
        switch (flags & 0x7) {
            case vbOKCancel:
                box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
                break;
            case vbYesNo:
                box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
                break;
            default:
                box.setStandardButtons(QMessageBox::Ok);
                break;
        }
        switch (box.exec()) {
            case QMessageBox::Cancel:
                return vbCancel;
            case QMessageBox::Yes:
                return vbYes;
            case QMessageBox::No:
                return vbNo;
            default:
                return vbOK;
        }
    }

    QString inputBox(const QString& prompt, const QString& title, const QString& def) override {
        bool ok = false;
        const QString text =
            QInputDialog::getText(nullptr, title, prompt, QLineEdit::Normal, def, &ok);
        return ok ? text : QString();
    }

    // Nobody is told when there is no opener: the address simply does not
    // open, as with a desktop that has nothing associated with it.
    void openDocument(const QString& address) override {
        winrules::openDocument(address.toLocal8Bit().toStdString());
    }

    bool fileExists(const QString& path) override { return QFileInfo(path).isFile(); }

    QPoint cursorPos() override { return pointer_.cursorPos(); }
    Hwnd windowFromPoint(QPoint screen) override {
        return windowIn(pointer_.topLevelAt(screen), screen);
    }
    Hwnd getCapture() override { return pointer_.capture(); }
    void setCapture(Hwnd w) override { pointer_.setCapture(w); }
    void releaseCapture() override { pointer_.releaseCapture(); }

    void sleep(int ms) override { QThread::msleep(static_cast<unsigned long>(std::max(0, ms))); }

    void sendKeys(const QString& keys) override {
        QWidget* target = QApplication::focusWidget();
        if (!target) return;
        if (keys == QStringLiteral("{TAB}"))
            QCoreApplication::postEvent(
                target, new QKeyEvent(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier));
        else if (keys == QStringLiteral("+{TAB}"))
            QCoreApplication::postEvent(
                target, new QKeyEvent(QEvent::KeyPress, Qt::Key_Backtab, Qt::ShiftModifier));
    }

    bool timersRun() const override { return true; }
    PointerChanges* pointerChanges() override { return &pointer_; }

    [[noreturn]] void end() override {
        // Stop at once, as the Windows runtime does: no further handler runs.
        std::fflush(nullptr);
        std::_Exit(0);
    }

    void lastFormUnloaded() override { QCoreApplication::quit(); }

private:
    PointerWatch pointer_;
};

RealHost& realHost() {
    static RealHost h;
    return h;
}

Host* current = nullptr;

}  // namespace

Host& host() {
    return current ? *current : realHost();
}
void setHost(Host* h) {
    current = h;
}

}  // namespace rt
