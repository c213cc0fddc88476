// The tap and swipe repeater on the recording host: its layout per mode and
// preset, the interval floor, the lines of tap, two-point and swipe runs with
// their counts, the numbers that reach the lines, the swap, the shared
// counter and the end of a run with its window. Timers are ticked by hand.
#include "tessadrel/touchsimu.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>
#include <QPointer>
#include <utility>

#include "common/commandrunner.h"
#include "controls/checkbutton.h"
#include "controls/nshape.h"
#include "controls/optionbutton.h"
#include "runtime/frame.h"
#include "runtime/services.h"
#include "support/recordinghost.h"
#include "tessadrel/form1.h"

namespace {

using tessadrel::Form1;
using tessadrel::touchsimu;
using testing_support::RecordingHost;
using Journal = std::vector<QString>;

const QString kFolder = QStringLiteral("/opt/tessadrel");
const QString kFloorBox = QStringLiteral(
    "box 16 警告!: 小于80毫秒会出现命令堵塞，导致无法停止、执行顺序错乱等严重问题！");

QString run(const QString& command) {
    return QStringLiteral("shell 0: cmd /c ") + command;
}
QString swipe(int x1, int y1, int x2, int y2, int d) {
    return run(QStringLiteral("adb shell input swipe %1 %2 %3 %4 %5")
                   .arg(x1)
                   .arg(y1)
                   .arg(x2)
                   .arg(y2)
                   .arg(d));
}
QString tap(int x, int y, int d) {
    return swipe(x, y, x, y, d);
}
QString sleep(int ms) {
    return QStringLiteral("sleep %1").arg(ms);
}
QString captionOf(QObject* c) {
    if (auto* f = dynamic_cast<rt::Frame*>(c)) return f->Caption();
    if (auto* l = dynamic_cast<rt::Label*>(c)) return l->Caption();
    return {};
}
Journal times(int n, const Journal& once) {
    Journal r;
    for (int i = 0; i < n; ++i) r.insert(r.end(), once.begin(), once.end());
    return r;
}

struct TouchsimuTest : ::testing::Test {
    RecordingHost host;
    touchsimu* w = nullptr;

    TouchsimuTest() {
        rt::App::setPath(kFolder);
        host.files = {kFolder + QStringLiteral("/adb"), kFolder + QStringLiteral("/fastboot")};
        w = &openFromTile();
        host.journal.clear();  // the main window's start-up console
    }
    ~TouchsimuTest() override { rt::App::setPath({}); }

    touchsimu& openFromTile() {
        Form1& main = rt::Form::get<Form1>();
        clickOn(main.Image12);
        touchsimu* t = rt::Form::ifLoaded<touchsimu>();
        EXPECT_NE(t, nullptr);
        t->move(main.geometry().right() + 100, 0);  // keep the tile uncovered
        return *t;
    }

    void clickOn(QWidget* target) {
        host.moveTo(QPoint(-500, -500));
        host.moveTo(target, target->rect().center());
        host.click();
    }
    void start() { clickOn(w->SWIPEGO); }
    void stop() { clickOn(w->SWIPEstp); }

    void fill(std::initializer_list<std::pair<rt::TextBox*, const char*>> texts) {
        for (const auto& [box, text] : texts) box->setText(QString::fromUtf8(text));
    }
    // The example points of most cases, three ticks, 50 ms presses.
    void fillExample(const char* count = "3") {
        fill({{w->X1, "100"},
              {w->Y1, "200"},
              {w->X2, "300"},
              {w->Y2, "400"},
              {w->DURA, "50"},
              {w->Textcishu, count},
              {w->Textdely, "120"}});
    }
    // Ticks a timer until it stops itself; returns the ticks it took.
    static int runOut(rt::Timer* t, int limit = 100) {
        int n = 0;
        while (t->running() && n < limit) {
            t->fire();
            ++n;
        }
        return n;
    }
    bool secondPointShown() const {
        const bool x2 = w->X2->Visible();
        EXPECT_EQ(w->Y2->Visible(), x2);
        EXPECT_EQ(w->Labelx2->Visible(), x2);
        EXPECT_EQ(w->Labely2->Visible(), x2);
        return x2;
    }
    QString text(const char* box) const { return w->ctl<rt::TextBox>(QLatin1String(box))->Text(); }
};

TEST_F(TouchsimuTest, OpensInOnePointTapModeWithItsCaptionsAndNothingRunning) {
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->Caption(), QStringLiteral("触摸模拟"));
    EXPECT_TRUE(w->OPTPRE->Value());
    for (auto* o : {w->OPTSWI, w->SM, w->NMM, w->TM}) EXPECT_FALSE(o->Value());
    EXPECT_FALSE(secondPointShown());
    EXPECT_TRUE(w->twopo->Visible());
    EXPECT_EQ(w->twopo->Value(), 0);
    EXPECT_EQ(w->cha->Value(), 0);
    for (auto* t : {w->Timerdur, w->Timerdur2}) {
        EXPECT_FALSE(t->Enabled());
        EXPECT_EQ(t->Interval(), 0);
        EXPECT_TRUE(t->precise());
    }
    for (auto* b : {w->X1, w->Y1, w->X2, w->Y2, w->Textdely, w->Textcishu, w->DURA})
        EXPECT_TRUE(b->Text().isEmpty());
    EXPECT_TRUE(host.journal.empty());

    const std::pair<const char*, const char*> labels[] = {
        {"MNAJ2", "触摸模拟 (支持循环、延时。可用作连点器)"},
        {"Frame1", "连点器预设"},
        {"Labelx1", "x1"},
        {"Labely1", "y1"},
        {"Labelx2", "x2"},
        {"Labely2", "y2"},
        {"Label1", "循环次数"},
        {"Labeldura", "按压时间(ms)"},
        {"Label3", "循环间隔(ms)"},
        {"Lab22el4", "屏幕坐标可通过   开发者选项-输入-指针位置   确定"},
    };
    for (const auto& [name, caption] : labels) {
        QObject* c = w->findControl(QLatin1String(name));
        ASSERT_NE(c, nullptr) << name;
        EXPECT_EQ(captionOf(c), QString::fromUtf8(caption)) << name;
    }
    const std::pair<controls::GlyphControl*, const char*> boxes[] = {
        {w->OPTPRE, "点按"},     {w->OPTSWI, "滑动"},   {w->SM, "快速翻页"},
        {w->NMM, "Normal Mode"}, {w->TM, "Turbo Mode"}, {w->twopo, " 两点模式"},
        {w->cha, "交换坐标"},
    };
    for (const auto& [box, caption] : boxes) {
        EXPECT_EQ(box->Caption(), QString::fromUtf8(caption));
        EXPECT_EQ(box->accessibleName(), QString::fromUtf8(caption));
    }
    EXPECT_EQ(w->SWIPEGO->accessibleName(), QStringLiteral("开始"));
    EXPECT_EQ(w->SWIPEstp->accessibleName(), QStringLiteral("停止"));
    EXPECT_EQ(w->SWIPEGO->objectName(), QStringLiteral("SWIPEGO"));

    // The two groups go by container: the mode buttons sit in the frame, the
    // presets in the inner frame.
    auto* outer = w->ctl<QWidget>(QStringLiteral("MNAJ2"));
    EXPECT_EQ(w->OPTPRE->parentWidget(), outer);
    EXPECT_EQ(w->OPTSWI->parentWidget(), outer);
    EXPECT_EQ(w->SM->parentWidget(), w->ctl<QWidget>(QStringLiteral("Frame1")));
    // The interval box lies on the window, over the frame, and takes the
    // pointer there.
    EXPECT_EQ(w->Textdely->parentWidget(), w);
    EXPECT_TRUE(outer->geometry().contains(w->Textdely->geometry()));
    QWidget* hit = w->childAt(w->Textdely->geometry().center());
    EXPECT_TRUE(hit == w->Textdely || w->Textdely->isAncestorOf(hit));

    // The tile shows the same window again.
    clickOn(rt::Form::get<Form1>().Image12);
    EXPECT_EQ(rt::Form::ifLoaded<touchsimu>(), w);
    EXPECT_EQ(rt::Form::loadedCount(), 2);
}

TEST_F(TouchsimuTest, AnIntervalBelowEightyIsWarnedAndRaisedToEighty) {
    struct Case {
        const char* typed;
        bool warned;
        const char* after;
        int interval;
    };
    const Case cases[] = {
        {"", true, "80", 80},        {"0", true, "80", 80},
        {"79.9", true, "80", 80},    {"-5", true, "80", 80},
        {"80", false, "80", 80},     {"80.5", false, "80.5", 80},
        {"81.5", false, "81.5", 82}, {"1e12", false, "1e12", 2147483647},
    };
    for (const Case& c : cases) {
        host.journal.clear();
        w->Textdely->setText(QString::fromUtf8(c.typed));
        start();
        EXPECT_EQ(host.journal, c.warned ? Journal{kFloorBox} : Journal{}) << c.typed;
        EXPECT_EQ(w->Textdely->Text(), QString::fromUtf8(c.after)) << c.typed;
        EXPECT_EQ(w->Timerdur->Interval(), c.interval) << c.typed;
        EXPECT_TRUE(w->Timerdur->running()) << c.typed;
        stop();
    }
}

TEST_F(TouchsimuTest, ARunSendsOneLinePerTickAndStopsAtItsCount) {
    fillExample();
    start();
    EXPECT_EQ(w->Timerdur->Interval(), 120);
    EXPECT_EQ(runOut(w->Timerdur), 3);
    EXPECT_EQ(host.journal, times(3, {tap(100, 200, 50)}));
    EXPECT_FALSE(w->Timerdur->Enabled());
    EXPECT_FALSE(w->Timerdur2->Enabled());
    EXPECT_EQ(w->counter(), 3);

    // Two points: each tick taps the first, waits one interval, taps the second.
    host.journal.clear();
    clickOn(w->twopo);
    EXPECT_TRUE(secondPointShown());
    start();
    EXPECT_EQ(runOut(w->Timerdur), 3);
    EXPECT_EQ(host.journal, times(3, {tap(100, 200, 50), sleep(120), tap(300, 400, 50)}));

    // Swipe mode: the swipe line is put in the command box at the start.
    host.journal.clear();
    clickOn(w->OPTSWI);
    EXPECT_TRUE(secondPointShown());
    EXPECT_FALSE(w->twopo->Visible());
    start();
    EXPECT_FALSE(w->Timerdur->Enabled());
    EXPECT_EQ(Form1::commandBox().Text(),
              QStringLiteral("adb shell input swipe 100 200 300 400 50"));
    EXPECT_EQ(runOut(w->Timerdur2), 3);
    EXPECT_EQ(host.journal, times(3, {swipe(100, 200, 300, 400, 50)}));
}

TEST_F(TouchsimuTest, TheCountIsRoundedUpWithOneTickAtLeast) {
    const std::pair<const char*, int> cases[] = {
        {"2.5", 3}, {"", 1}, {"0", 1}, {"-4", 1}, {"1", 1}, {"abc", 1},
    };
    for (const auto& [count, ticks] : cases) {
        fillExample(count);
        start();
        EXPECT_EQ(runOut(w->Timerdur), ticks) << count;
    }
}

TEST_F(TouchsimuTest, WithEveryBoxEmptyOneTapAtZeroIsSentAfterTheWarning) {
    start();
    EXPECT_EQ(runOut(w->Timerdur), 1);
    EXPECT_EQ(host.journal, (Journal{kFloorBox, tap(0, 0, 0)}));
    for (const char* b : {"X1", "Y1", "X2", "Y2"}) EXPECT_EQ(text(b), QStringLiteral("0")) << b;
    EXPECT_EQ(w->Textdely->Text(), QStringLiteral("80"));
    EXPECT_TRUE(w->DURA->Text().isEmpty());
    EXPECT_TRUE(w->Textcishu->Text().isEmpty());
}

TEST_F(TouchsimuTest, TheStartRewritesThePointsAndFixesTheDuration) {
    const std::pair<const char*, int> durations[] = {
        {"50.5", 50},     {"51.5", 52},       {"-3", -3},
        {"40000", 32767}, {"-40000", -32768}, {"1e300", 32767},
    };
    for (const auto& [typed, ms] : durations) {
        fillExample("1");
        w->DURA->setText(QString::fromUtf8(typed));
        host.journal.clear();
        start();
        EXPECT_EQ(w->duration(), ms) << typed;
        runOut(w->Timerdur);
        EXPECT_EQ(host.journal, (Journal{tap(100, 200, ms)})) << typed;
    }

    fill({{w->X1, "12abc"}, {w->Y1, ""}, {w->X2, "7.50"}, {w->Y2, " 1 2"}});
    start();
    EXPECT_EQ(w->X1->Text(), QStringLiteral("12"));
    EXPECT_EQ(w->Y1->Text(), QStringLiteral("0"));
    EXPECT_EQ(w->X2->Text(), QStringLiteral("7.5"));
    EXPECT_EQ(w->Y2->Text(), QStringLiteral("12"));
}

TEST_F(TouchsimuTest, EachClickOnTheSwapExchangesThePointsOnce) {
    fill({{w->X1, "1"}, {w->Y1, "2"}, {w->X2, "3"}, {w->Y2, "4"}});
    clickOn(w->cha);
    EXPECT_EQ(w->cha->Value(), 1);
    EXPECT_EQ((std::vector<QString>{text("X1"), text("Y1"), text("X2"), text("Y2")}),
              (std::vector<QString>{QStringLiteral("3"), QStringLiteral("4"), QStringLiteral("1"),
                                    QStringLiteral("2")}));
    EXPECT_EQ(Form1::commandBox().Text(), QStringLiteral("2"));

    clickOn(w->cha);  // ticked to clear: swaps back
    EXPECT_EQ(w->cha->Value(), 0);
    EXPECT_EQ(text("X1"), QStringLiteral("1"));
    EXPECT_EQ(text("Y2"), QStringLiteral("4"));
    EXPECT_EQ(Form1::commandBox().Text(), QStringLiteral("4"));

    w->cha->setValue(2);  // the third state clears on a click, and swaps too
    clickOn(w->cha);
    EXPECT_EQ(text("X1"), QStringLiteral("3"));
    EXPECT_TRUE(host.journal.empty());
}

TEST_F(TouchsimuTest, SwipeTicksStartTheSwipeOfTheRunWhateverTheCommandBoxHolds) {
    fillExample("9");
    clickOn(w->OPTSWI);
    start();
    w->Timerdur2->fire();
    Form1::commandBox().setText(QStringLiteral("adb reboot"));
    w->Timerdur2->fire();
    EXPECT_EQ(Form1::commandBox().Text(),
              QStringLiteral("adb shell input swipe 100 200 300 400 50"));
    clickOn(w->cha);  // the points swap, and the box holds a coordinate
    EXPECT_EQ(Form1::commandBox().Text(), QStringLiteral("200"));
    w->Timerdur2->fire();
    EXPECT_EQ(host.journal, times(3, {swipe(100, 200, 300, 400, 50)}));
}

TEST_F(TouchsimuTest, TapTicksSendOnlyTheNumberOfEachPointBox) {
    fillExample("9");
    start();
    w->X1->setText(QStringLiteral("5 & calc"));
    w->Timerdur->fire();
    w->X1->setText(QStringLiteral("6|calc>x"));
    w->Timerdur->fire();
    EXPECT_EQ(host.journal, (Journal{tap(5, 200, 50), tap(6, 200, 50)}));
    EXPECT_EQ(w->X1->Text(), QStringLiteral("6|calc>x"));  // not rewritten mid-run

    // The pause of two-point mode follows the interval box at every tick,
    // unwarned, held to a whole non-negative count of ms.
    host.journal.clear();
    w->X1->setText(QStringLiteral("100"));
    w->twopo->setValue(1);
    const std::pair<const char*, int> pauses[] = {
        {"-1", 0},
        {"30", 30},
        {"30.5", 30},
        {"1e12", 2147483647},
    };
    for (const auto& [typed, ms] : pauses) {
        w->Textdely->setText(QString::fromUtf8(typed));
        w->Timerdur->fire();
        EXPECT_EQ(host.journal, (Journal{tap(100, 200, 50), sleep(ms), tap(300, 400, 50)}))
            << typed;
        host.journal.clear();
    }
    EXPECT_EQ(w->Timerdur->Interval(), 120);
}

TEST_F(TouchsimuTest, BothRunsShareOneCounterAndEachStopsItself) {
    fillExample();
    start();
    clickOn(w->OPTSWI);
    start();
    ASSERT_TRUE(w->Timerdur->running());
    ASSERT_TRUE(w->Timerdur2->running());
    w->Timerdur->fire();
    w->Timerdur2->fire();
    EXPECT_EQ(w->counter(), 2);
    w->Timerdur->fire();
    EXPECT_FALSE(w->Timerdur->Enabled());
    EXPECT_TRUE(w->Timerdur2->Enabled());
    w->Timerdur2->fire();
    EXPECT_FALSE(w->Timerdur2->Enabled());
    EXPECT_EQ(w->counter(), 4);
    EXPECT_EQ(host.journal, (Journal{tap(100, 200, 50), swipe(100, 200, 300, 400, 50),
                                     tap(100, 200, 50), swipe(100, 200, 300, 400, 50)}));
}

TEST_F(TouchsimuTest, StopKeepsTheCounterAndAStartBeginsTheCountAgain) {
    fillExample("5");
    start();
    w->Timerdur->fire();
    w->Timerdur->fire();
    stop();
    EXPECT_FALSE(w->Timerdur->Enabled());
    EXPECT_EQ(w->counter(), 2);
    w->Timerdur->fire();
    EXPECT_EQ(host.journal.size(), 2u);

    // A start during a run takes the interval anew and counts from 0 again.
    start();
    w->Timerdur->fire();
    w->Textdely->setText(QStringLiteral("300"));
    start();
    EXPECT_EQ(w->counter(), 0);
    EXPECT_EQ(w->Timerdur->Interval(), 300);
    EXPECT_EQ(runOut(w->Timerdur), 5);
}

TEST_F(TouchsimuTest, ARunEndsAtTheTopOfTheCounter) {
    fillExample("40000");
    start();
    EXPECT_EQ(runOut(w->Timerdur, 40000), 32767);
    EXPECT_EQ(w->counter(), 32767);
    EXPECT_EQ(host.journal.size(), 32767u);
}

TEST_F(TouchsimuTest, PresetsSetTheirBoxesModesAndLayout) {
    clickOn(w->SM);
    EXPECT_TRUE(w->OPTSWI->Value());
    EXPECT_FALSE(w->OPTPRE->Value());
    EXPECT_FALSE(w->twopo->Visible());
    EXPECT_TRUE(secondPointShown());
    const std::pair<const char*, const char*> sm[] = {
        {"X1", "540"},       {"Y1", "1600"}, {"X2", "540"},         {"Y2", "600"},
        {"Textdely", "200"}, {"DURA", "50"}, {"Textcishu", "9999"},
    };
    for (const auto& [box, value] : sm) EXPECT_EQ(text(box), QLatin1String(value)) << box;

    // The chosen preset raises nothing on a second click: nothing is re-applied.
    w->X1->setText(QStringLiteral("1"));
    clickOn(w->SM);
    EXPECT_EQ(text("X1"), QStringLiteral("1"));

    w->twopo->setValue(1);
    clickOn(w->NMM);
    EXPECT_TRUE(w->OPTPRE->Value());
    EXPECT_FALSE(w->OPTSWI->Value());
    EXPECT_FALSE(w->SM->Value());
    EXPECT_FALSE(w->twopo->Visible());
    EXPECT_EQ(w->twopo->Value(), 0);
    EXPECT_FALSE(secondPointShown());
    const std::pair<const char*, const char*> nmm[] = {
        {"X1", "1"},
        {"Textdely", "500"},
        {"DURA", "1"},
        {"Textcishu", "9999"},
    };
    for (const auto& [box, value] : nmm) EXPECT_EQ(text(box), QLatin1String(value)) << box;

    clickOn(w->TM);
    EXPECT_TRUE(w->OPTPRE->Value());
    EXPECT_FALSE(w->OPTSWI->Value());
    EXPECT_TRUE(w->twopo->Visible());
    EXPECT_EQ(w->twopo->Value(), 1);
    EXPECT_TRUE(secondPointShown());
    const std::pair<const char*, const char*> tm[] = {
        {"X1", "1"}, {"Y2", "600"}, {"Textdely", "80"}, {"DURA", "1"}, {"Textcishu", "9999"},
    };
    for (const auto& [box, value] : tm) EXPECT_EQ(text(box), QLatin1String(value)) << box;
    EXPECT_TRUE(host.journal.empty());
}

TEST_F(TouchsimuTest, TheTwoPointBoxComesBackOnlyThroughTurboOrBothModeButtons) {
    clickOn(w->NMM);
    clickOn(w->OPTPRE);  // already chosen: no Click, no layout
    EXPECT_FALSE(w->twopo->Visible());
    clickOn(w->OPTSWI);
    EXPECT_FALSE(w->twopo->Visible());
    clickOn(w->OPTPRE);
    EXPECT_TRUE(w->twopo->Visible());

    clickOn(w->SM);
    clickOn(w->NMM);
    EXPECT_FALSE(w->twopo->Visible());
    clickOn(w->TM);
    EXPECT_TRUE(w->twopo->Visible());
}

TEST_F(TouchsimuTest, TapModeHidesTheSecondPointEvenWhileTwoPointTapsGoOn) {
    fillExample("1");
    clickOn(w->twopo);
    clickOn(w->OPTSWI);
    clickOn(w->OPTPRE);
    EXPECT_EQ(w->twopo->Value(), 1);
    EXPECT_FALSE(secondPointShown());
    start();
    runOut(w->Timerdur);
    EXPECT_EQ(host.journal, (Journal{tap(100, 200, 50), sleep(120), tap(300, 400, 50)}));
}

TEST_F(TouchsimuTest, ClosingTheWindowEndsTheRunAndTheTileOpensAFreshOne) {
    fillExample("9");
    clickOn(w->twopo);
    start();
    clickOn(w->OPTSWI);
    start();
    QPointer<rt::Timer> taps = w->Timerdur;
    QPointer<rt::Timer> swipes = w->Timerdur2;
    host.moveTo(QPoint(-500, -500));  // off to the close box
    w->close();
    // Ticks that were already due when the window went (the input handled
    // before a tick may let the window's deletion run, taking the timers).
    if (taps) taps->fire();
    if (swipes) swipes->fire();
    EXPECT_TRUE(host.journal.empty());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(rt::Form::ifLoaded<touchsimu>(), nullptr);

    w = &openFromTile();
    EXPECT_TRUE(w->OPTPRE->Value());
    EXPECT_FALSE(w->OPTSWI->Value());
    EXPECT_EQ(w->twopo->Value(), 0);
    EXPECT_FALSE(secondPointShown());
    EXPECT_TRUE(w->X1->Text().isEmpty());
    EXPECT_FALSE(w->Timerdur->Enabled());
    EXPECT_FALSE(w->Timerdur2->Enabled());
    EXPECT_TRUE(host.journal.empty());
}

}  // namespace
