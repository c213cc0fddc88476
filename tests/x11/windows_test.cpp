// The main program's windows on a real X server: tiles and buttons clicked
// with the real pointer, their boxes answered with the mouse, and the line
// that reaches a fake adb through the real interpreter.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <cstdlib>
#include <functional>
#include <thread>

#include "controls/checkbutton.h"
#include "controls/nshape.h"
#include "panel.h"
#include "runtime/form.h"
#include "tessadrel/form1.h"
#include "tessadrel/software.h"
#include "tessadrel/touchsimu.h"
#include "xdriver.h"

namespace {

using x11test::clickOn;
using x11test::FakeAdb;

using x11test::RunningTerminal;

TEST(RealWindows, TheRepeatersFloorWarningIsAnsweredWithTheMouseAndTheTapReachesAdb) {
    x11test::FakeAdb adb;
    auto* opened = x11test::openFromTile<tessadrel::touchsimu>(&tessadrel::Form1::Image12);
    ASSERT_NE(opened, nullptr);
    auto& t = *opened;
    t.X1->setText(QStringLiteral("100"));
    t.Y1->setText(QStringLiteral("200"));
    t.DURA->setText(QStringLiteral("50"));
    t.Textcishu->setText(QStringLiteral("1"));
    t.Textdely->setText(QStringLiteral("10"));

    x11test::ModalAnswer ok(x11test::okButton);
    clickOn(t.SWIPEGO);
    ASSERT_TRUE(x11test::waitFor([&] { return ok.answered(); }));
    ASSERT_TRUE(x11test::waitFor([] { return QApplication::activeModalWidget() == nullptr; }));
    EXPECT_EQ(t.Textdely->Text(), QStringLiteral("80"));
    t.Timerdur->fire();  // the one tap of the run, whether or not it came by itself
    ASSERT_TRUE(x11test::waitFor([&] { return !adb.calls().isEmpty(); }));
    EXPECT_EQ(adb.calls(), QStringList{QStringLiteral("shell input swipe 100 200 100 200 50")});
    EXPECT_FALSE(t.Timerdur->running());
}

// The app panel from its tile, placed below the main window so that the
// pointer reaches both.
tessadrel::Software& openSoftware() {
    auto& main = rt::Form::get<tessadrel::Form1>();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&main));
    clickOn(main.Image17);
    EXPECT_TRUE(x11test::waitFor([] {
        auto* s = rt::Form::ifLoaded<tessadrel::Software>();
        return s && s->windowHandle() && s->windowHandle()->isExposed();
    }));
    auto& sw = *rt::Form::ifLoaded<tessadrel::Software>();
    sw.move(0, main.frameGeometry().bottom() + 40);
    EXPECT_TRUE(
        x11test::waitFor([&] { return sw.geometry().top() > main.frameGeometry().bottom(); }));
    return sw;
}

TEST(RealWindows, GoogleAppsTickedWithTheMouseAreRestoredAtAdb) {
    FakeAdb adb;
    x11test::moveTo(QPoint(1000, 900));
    auto& sw = openSoftware();
    clickOn(sw.gsf);
    clickOn(sw.yy);
    ASSERT_TRUE(x11test::waitFor([&] { return sw.gsf->Value() == 1 && sw.yy->Value() == 1; }));
    clickOn(sw.ctl<QWidget>(QStringLiteral("enablegoogle")));
    // Both run hidden and side by side, in no fixed order of arrival.
    ASSERT_TRUE(x11test::waitFor([&] { return adb.calls().size() >= 2; }));
    QStringList calls = adb.calls();
    calls.sort();
    EXPECT_EQ(calls, (QStringList{QStringLiteral("shell pm enable com.google.android.gsf"),
                                  QStringLiteral("shell pm enable com.google.android.music")}));
}

TEST(RealWindows, ATypedPackageWithAnAmpersandReachesAdbWhole) {
    FakeAdb adb;
    x11test::moveTo(QPoint(1000, 900));
    auto& sw = openSoftware();
    RunningTerminal terminal;
    clickOn(sw.APPText5);
    x11test::type(QStringLiteral("com.a&b"));
    ASSERT_TRUE(x11test::waitFor([&] { return sw.APPText5->Text() == QStringLiteral("com.a&b"); }));
    clickOn(sw.ctl<QWidget>(QStringLiteral("UNFREEZE")));
    ASSERT_TRUE(x11test::waitFor([&] { return !adb.calls().isEmpty(); }));
    EXPECT_EQ(adb.calls(), QStringList{QStringLiteral("shell pm enable com.a&b")});
}

TEST(RealWindows, AnUncarriablePathIsReportedInABoxClosedWithTheMouse) {
    FakeAdb adb;
    x11test::moveTo(QPoint(1000, 900));
    auto& sw = openSoftware();
    RunningTerminal terminal;
    const QString label = sw.Labelappr->Caption();
    x11test::SeenBox seen;
    x11test::ModalAnswer ok(x11test::okButton, x11test::noteBox(seen));
    // The drop comes through the window as the desktop's would; the box it
    // opens is answered with the real pointer.
    const auto dropPath = [&](const QString& path) {
        x11test::dropFile(&sw, sw.AZAPP->geometry().center(), path);
    };
    dropPath(QStringLiteral("/tmp/100%.apk"));
    EXPECT_TRUE(ok.answered());
    EXPECT_EQ(seen.title, QStringLiteral("提示"));
    EXPECT_EQ(seen.icon, QMessageBox::Warning);
    EXPECT_EQ(sw.Labelappr->Caption(), label);
    // A good file afterwards installs: the refused one started nothing before it.
    dropPath(QStringLiteral("/tmp/good.apk"));
    ASSERT_TRUE(x11test::waitFor([&] { return !adb.calls().isEmpty(); }));
    EXPECT_EQ(adb.calls(), QStringList{QStringLiteral("install /tmp/good.apk")});
}

TEST(RealWindows, NoButtonOfTheAppFrameStaysLitAfterClicksThatStartConsoles) {
    FakeAdb adb;
    x11test::moveTo(QPoint(1000, 900));
    auto& sw = openSoftware();
    clickOn(sw.APPText5);
    x11test::type(QStringLiteral("com.example.app"));
    ASSERT_TRUE(x11test::waitFor([&] { return !sw.APPText5->Text().isEmpty(); }));
    std::vector<controls::N_Shape*> buttons;
    for (const char* name : {"FREEZE", "UNFREEZE", "N_Shaunspe1", "CLCDATA", "SHOWBANPKGS",
                             "N_Shape2fc", "N_Shapeqqq"})
        buttons.push_back(x11test::button(sw, name));
    std::vector<rt::Long> normalFill;
    for (auto* b : buttons) normalFill.push_back(b->shape1()->FillColor());
    // A user's pace: the pointer rests on each button before and after the
    // click. The move from one button straight onto the next reaches the
    // previous one, which holds the capture and lets it go; the next button
    // must see that move too, or the click leaves it lit with no leave poll.
    for (auto* b : buttons) {
        x11test::moveTo(b, b->rect().center());
        QTest::qWait(300);
        x11test::click();
        QTest::qWait(800);
    }
    x11test::moveTo(QPoint(1000, 900));
    const auto allNormal = [&] {
        for (auto* b : buttons)
            if (b->buttonState() != controls::N_Shape::StateNormal || b->hoverFlag()) return false;
        return true;
    };
    EXPECT_TRUE(x11test::waitFor(allNormal));
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        SCOPED_TRACE(buttons[i]->objectName().toStdString());
        EXPECT_EQ(buttons[i]->buttonState(), controls::N_Shape::StateNormal);
        EXPECT_EQ(buttons[i]->shape1()->FillColor(), normalFill[i]);
        EXPECT_FALSE(buttons[i]->timer1()->running());
    }
}

// Two-point taps with a 2 s pause. The user acts while the tick sleeps in
// that pause (from another thread: the program's own is busy), and what
// they did is handled before the timer ticks again: the run ends after that
// tick, with one tap at each point. `act` gets the window's screen point of
// the stop button and the window's id.
void actDuringTheRepeatersPause(const std::function<void(QPoint, WId)>& act) {
    FakeAdb adb;
    auto* opened = x11test::openFromTile<tessadrel::touchsimu>(&tessadrel::Form1::Image12);
    ASSERT_NE(opened, nullptr);
    auto& t = *opened;
    t.twopo->setValue(1);
    t.X1->setText(QStringLiteral("100"));
    t.Y1->setText(QStringLiteral("200"));
    t.X2->setText(QStringLiteral("300"));
    t.Y2->setText(QStringLiteral("400"));
    t.DURA->setText(QStringLiteral("1"));
    t.Textcishu->setText(QStringLiteral("9999"));
    t.Textdely->setText(QStringLiteral("2000"));
    clickOn(t.SWIPEGO);
    ASSERT_TRUE(x11test::waitFor([&] { return t.Timerdur->running(); }));
    const QPoint stop = t.SWIPEstp->mapToGlobal(t.SWIPEstp->rect().center());
    const WId window = t.windowHandle()->winId();
    std::thread user([&adb, &act, stop, window] {
        const QDeadlineTimer deadline(10000);
        while (adb.calls().isEmpty() && !deadline.hasExpired()) std::this_thread::yield();
        act(stop, window);
    });
    t.Timerdur->fire();  // the first tick; the timer is due again when it ends
    user.join();
    QTest::qWait(3000);  // nothing more may come
    EXPECT_EQ(adb.calls(), (QStringList{QStringLiteral("shell input swipe 100 200 100 200 1"),
                                        QStringLiteral("shell input swipe 300 400 300 400 1")}));
}

TEST(RealWindows, AStopClickedDuringTheRepeatersPauseEndsTheRunAfterThatTick) {
    actDuringTheRepeatersPause([](QPoint stop, WId) {
        const QByteArray line = "xdotool mousemove " + QByteArray::number(stop.x() + 1) + ' ' +
                                QByteArray::number(stop.y()) + " mousemove " +
                                QByteArray::number(stop.x()) + ' ' + QByteArray::number(stop.y()) +
                                " click 1";
        ASSERT_EQ(std::system(line.constData()), 0);
    });
}

TEST(RealWindows, TheRepeatersWindowClosedDuringItsPauseEndsTheRunAfterThatTick) {
    actDuringTheRepeatersPause([](QPoint, WId window) { x11test::requestClose(window); });
    EXPECT_EQ(rt::Form::ifLoaded<tessadrel::touchsimu>(), nullptr);
}

}  // namespace
