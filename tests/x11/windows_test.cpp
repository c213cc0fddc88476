// The main program's windows on a real X server: tiles and buttons clicked
// with the real pointer, their boxes answered with the mouse, and the line
// that reaches a fake adb through the real interpreter.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "controls/nshape.h"
#include "runtime/form.h"
#include "tessadrel/form1.h"
#include "tessadrel/touchsimu.h"
#include "xdriver.h"

namespace {

// A fake adb first on PATH that writes its arguments, one call a line.
class FakeAdb {
public:
    FakeAdb() {
        log_ = dir_.filePath(QStringLiteral("adb.log"));
        QFile script(dir_.filePath(QStringLiteral("adb")));
        script.open(QIODevice::WriteOnly);
        script.write("#!/bin/sh\necho \"$*\" >> \"" + log_.toUtf8() + "\"\n");
        script.close();
        script.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                              QFileDevice::ExeOwner);
        path_ = qgetenv("PATH");
        qputenv("PATH", dir_.path().toUtf8() + ':' + path_);
        qputenv("TERMINAL", "true");
    }
    ~FakeAdb() { qputenv("PATH", path_); }
    QStringList calls() const {
        QFile f(log_);
        if (!f.open(QIODevice::ReadOnly)) return {};
        return QString::fromUtf8(f.readAll()).split(u'\n', Qt::SkipEmptyParts);
    }

private:
    QTemporaryDir dir_;
    QString log_;
    QByteArray path_;
};

void clickOn(const QWidget* w) {
    x11test::moveTo(w, w->rect().center());
    x11test::click();
}

TEST(RealWindows, TheRepeatersFloorWarningIsAnsweredWithTheMouseAndTheTapReachesAdb) {
    FakeAdb adb;
    x11test::moveTo(QPoint(1000, 900));
    auto& main = rt::Form::get<tessadrel::Form1>();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
    clickOn(main.Image12);
    ASSERT_TRUE(x11test::waitFor([] {
        auto* t = rt::Form::ifLoaded<tessadrel::touchsimu>();
        return t && t->windowHandle() && t->windowHandle()->isExposed();
    }));
    auto& t = *rt::Form::ifLoaded<tessadrel::touchsimu>();
    t.X1->setText(QStringLiteral("100"));
    t.Y1->setText(QStringLiteral("200"));
    t.DURA->setText(QStringLiteral("50"));
    t.Textcishu->setText(QStringLiteral("1"));
    t.Textdely->setText(QStringLiteral("10"));

    x11test::ModalAnswer ok(
        [](QWidget* box) { return x11test::buttonLabelled(box, QStringLiteral("OK")); });
    clickOn(t.SWIPEGO);
    ASSERT_TRUE(x11test::waitFor([&] { return ok.answered(); }));
    ASSERT_TRUE(x11test::waitFor([] { return QApplication::activeModalWidget() == nullptr; }));
    EXPECT_EQ(t.Textdely->Text(), QStringLiteral("80"));
    t.Timerdur->fire();  // the one tap of the run, whether or not it came by itself
    ASSERT_TRUE(x11test::waitFor([&] { return !adb.calls().isEmpty(); }));
    EXPECT_EQ(adb.calls(), QStringList{QStringLiteral("shell input swipe 100 200 100 200 50")});
    EXPECT_FALSE(t.Timerdur->running());
}

}  // namespace
