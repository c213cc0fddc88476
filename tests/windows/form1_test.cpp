// The main window on the recording host: the tool-file check and the
// start-up console, the tiles, the command box that panels reach after the
// window was closed, and the timed screenshot run.
#include "tessadrel/form1.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>
#include <QPointer>

#include "common/commandrunner.h"
#include "runtime/services.h"
#include "support/recordinghost.h"
#include "tessadrel/donation.h"

namespace {

using tessadrel::DonatION;
using tessadrel::Form1;
using testing_support::RecordingHost;

const QString kFolder = QStringLiteral("/opt/tessadrel");
const QString kMissing = QStringLiteral("驱动不正常！请解压后运行或检查主程序目录下的文件！");
// Built on use: the tail is another unit's global.
QString startupLine() {
    return QStringLiteral("cmd /k adb devices") + common::kStartupTail;
}

struct Form1Test : ::testing::Test {
    RecordingHost host;

    Form1Test() {
        rt::App::setPath(kFolder);
        host.files = {kFolder + QStringLiteral("/adb"), kFolder + QStringLiteral("/fastboot")};
    }
    ~Form1Test() override { rt::App::setPath({}); }

    Form1& form1() { return rt::Form::get<Form1>(); }

    void clickOn(QWidget* w) {
        host.moveTo(QPoint(-500, -500));
        host.moveTo(w, w->rect().center());
        host.click();
    }

    // What the window started after its start-up console.
    std::vector<RecordingHost::Started> afterStartup() const {
        return {host.started.begin() + 1, host.started.end()};
    }

    // The user closes a window: it is discarded, and its object goes with the
    // next turn of the event loop.
    static void closeByUser(rt::Form& f) {
        f.close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

TEST_F(Form1Test, AMissingToolFileShowsOneUntitledMessageAndEndsBeforeAnythingStarts) {
    const std::vector<QSet<QString>> cases = {
        {},                                  // nothing there at all
        {kFolder + QStringLiteral("/adb")},  // adb would work, fastboot is gone
        {kFolder + QStringLiteral("/fastboot")},
        // the tools lie elsewhere, not in the program's folder
        {QStringLiteral("/usr/bin/adb"), QStringLiteral("/usr/bin/fastboot")},
    };
    for (const auto& files : cases) {
        RecordingHost h;
        h.files = files;
        EXPECT_THROW(form1(), rt::ProgramEnded);
        EXPECT_TRUE(h.ended);
        ASSERT_EQ(h.boxes.size(), 1u);
        EXPECT_EQ(h.boxes[0].text, kMissing);
        EXPECT_EQ(h.boxes[0].flags, rt::vbOKOnly);
        EXPECT_EQ(h.boxes[0].title, QStringLiteral("Tessadrel"));
        EXPECT_TRUE(h.started.empty());
        EXPECT_FALSE(rt::Form::get<Form1>().isVisible());
        rt::Form::unloadAll();
    }
}

TEST_F(Form1Test, StartUpOpensTheDeviceConsoleThenShowsTheCaptionedWindow) {
    Form1& f = form1();
    ASSERT_EQ(host.started.size(), 1u);
    EXPECT_EQ(host.started[0].line, startupLine());
    EXPECT_EQ(host.started[0].style, 1);
    EXPECT_EQ(f.Text8->Text(), QStringLiteral("adb devices"));
    EXPECT_TRUE(f.INTERTEXT->Text().isEmpty());
    EXPECT_FALSE(f.INTERTEXT->Visible());
    EXPECT_TRUE(host.boxes.empty());
    EXPECT_EQ(f.Caption(), QStringLiteral("Morvane 第六代免ROOT搞机神器   酷安@Halvern"));
    EXPECT_TRUE(f.isVisible());
    EXPECT_FALSE(f.INTERFACETimer->running());
}

TEST_F(Form1Test, OnlyThePictureOfATileActs) {
    Form1& f = form1();
    clickOn(f.ctl<rt::Label>(QStringLiteral("Label1")));
    clickOn(f.ctl<rt::Label>(QStringLiteral("Label22")));
    EXPECT_EQ(host.started.size(), 1u);

    clickOn(f.Image1);
    ASSERT_EQ(host.started.size(), 2u);
    EXPECT_EQ(host.started[1].line, QStringLiteral("cmd /k \""));
    EXPECT_EQ(host.started[1].style, 1);
    // The prompt does not pass through the command box.
    EXPECT_TRUE(f.INTERTEXT->Text().isEmpty());
    EXPECT_EQ(f.Image1->accessibleName(), QStringLiteral("ADB/FB命令行"));
}

TEST_F(Form1Test, ATileShowsOneModelessInstanceOfItsWindow) {
    Form1& f = form1();
    clickOn(f.Image24);
    DonatION* d = rt::Form::ifLoaded<DonatION>();
    ASSERT_NE(d, nullptr);
    EXPECT_TRUE(d->isVisible());
    EXPECT_EQ(d->Caption(), QStringLiteral("支持作者"));
    EXPECT_EQ(
        d->ctl<rt::Label>(QStringLiteral("Label1"))->Caption(),
        QStringLiteral("软件不设高级版、捐赠版。无论您是否捐赠都可以使用全部功能。 谢谢支持！"));
    EXPECT_FALSE(d->ctl<rt::Image>(QStringLiteral("Image2"))->Picture()->isEmpty());

    d->move(f.geometry().right() + 100, 0);  // keep the tile uncovered
    clickOn(f.Image24);
    EXPECT_EQ(rt::Form::ifLoaded<DonatION>(), d);
    EXPECT_EQ(rt::Form::loadedCount(), 2);
    EXPECT_TRUE(f.isVisible());
}

TEST_F(Form1Test, APanelReachingTheClosedMainWindowRunsTheWholeStartUpFirst) {
    clickOn(form1().Image24);
    closeByUser(form1());
    ASSERT_EQ(rt::Form::ifLoaded<Form1>(), nullptr);

    // A panel's command, as the panels run theirs.
    common::runHidden(Form1::commandBox(), QStringLiteral("adb reboot"));
    ASSERT_EQ(host.started.size(), 3u);
    EXPECT_EQ(host.started[1].line, startupLine());
    EXPECT_EQ(host.started[2].line, QStringLiteral("cmd /c adb reboot"));
    Form1* again = rt::Form::ifLoaded<Form1>();
    ASSERT_NE(again, nullptr);
    EXPECT_TRUE(again->isVisible());
    EXPECT_EQ(again->Caption(), QStringLiteral("Morvane 第六代免ROOT搞机神器   酷安@Halvern"));

    // While it stays open the panels share the same box, with no new start-up.
    common::runHidden(Form1::commandBox(), QStringLiteral("adb reboot bootloader"));
    EXPECT_EQ(host.started.size(), 4u);
    EXPECT_EQ(again->INTERTEXT->Text(), QStringLiteral("adb reboot bootloader"));
}

TEST_F(Form1Test, ReloadingWithAToolGoneEndsBeforeThePanelsCommand) {
    clickOn(form1().Image24);
    closeByUser(form1());
    host.files.remove(kFolder + QStringLiteral("/fastboot"));

    EXPECT_THROW(common::runHidden(Form1::commandBox(), QStringLiteral("adb reboot")),
                 rt::ProgramEnded);
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_EQ(host.boxes[0].text, kMissing);
    EXPECT_EQ(host.started.size(), 1u);  // the first start-up console only
}

TEST_F(Form1Test, TheUnlabelledButtonOnlyShowsItsJoke) {
    Form1& f = form1();
    auto* egg = f.ctl<QWidget>(QStringLiteral("N_Shapeegg"));
    ASSERT_NE(egg, nullptr);
    clickOn(egg);
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_EQ(host.boxes[0].text, QStringLiteral("嘤嘤嘤~"));
    EXPECT_EQ(host.boxes[0].title, QStringLiteral("彩蛋"));
    EXPECT_EQ(host.boxes[0].flags, rt::vbOKOnly);
    EXPECT_EQ(host.started.size(), 1u);
}

TEST_F(Form1Test, AScreenshotRunTakesPullsOpensAndDeletesOnItsTicks) {
    Form1& f = form1();
    clickOn(f.Image16);
    EXPECT_TRUE(f.INTERFACETimer->running());
    EXPECT_EQ(f.INTERFACETimer->Interval(), 1000);

    std::vector<QString> labels{f.Label22->Caption()};
    std::vector<size_t> commandsAfterTick{host.started.size() - 1};
    for (int tick = 1; tick <= 7; ++tick) {
        f.INTERFACETimer->fire();
        labels.push_back(f.Label22->Caption());
        commandsAfterTick.push_back(host.started.size() - 1);
    }
    const QString taking = QStringLiteral("正在截图...");
    const QString pulling = QStringLiteral("推送截图...");
    const QString opening = QStringLiteral("打开截图...");
    const QString done = QStringLiteral("输出截图");
    EXPECT_EQ(labels, (std::vector<QString>{taking, taking, taking, pulling, opening, opening, done,
                                            done}));
    EXPECT_EQ(commandsAfterTick, (std::vector<size_t>{1, 1, 1, 2, 4, 4, 4, 4}));

    const auto run = afterStartup();
    ASSERT_EQ(run.size(), 4u);
    EXPECT_EQ(run[0].line,
              QStringLiteral("cmd /c adb shell /system/bin/screencap -p /sdcard/screen.png"));
    EXPECT_EQ(run[1].line, QStringLiteral("cmd /c adb pull /sdcard/screen.png"));
    EXPECT_EQ(run[2].line, QStringLiteral("cmd /c screen.png"));
    EXPECT_EQ(run[3].line, QStringLiteral("cmd /c adb shell rm /sdcard/screen.png"));
    for (const auto& s : run) EXPECT_EQ(s.style, 0);
    EXPECT_FALSE(f.INTERFACETimer->Enabled());
    EXPECT_EQ(f.screenshotStep(), 7);
}

TEST_F(Form1Test, ASecondClickBeforeThePullRestartsTheRun) {
    Form1& f = form1();
    clickOn(f.Image16);
    f.INTERFACETimer->fire();
    f.INTERFACETimer->fire();
    clickOn(f.Image16);
    EXPECT_EQ(f.screenshotStep(), 1);
    EXPECT_EQ(f.Label22->Caption(), QStringLiteral("正在截图..."));
    for (int tick = 0; tick < 7; ++tick) f.INTERFACETimer->fire();

    std::vector<QString> lines;
    for (const auto& s : afterStartup()) lines.push_back(s.line);
    EXPECT_EQ(lines,
              (std::vector<QString>{
                  QStringLiteral("cmd /c adb shell /system/bin/screencap -p /sdcard/screen.png"),
                  QStringLiteral("cmd /c adb shell /system/bin/screencap -p /sdcard/screen.png"),
                  QStringLiteral("cmd /c adb pull /sdcard/screen.png"),
                  QStringLiteral("cmd /c screen.png"),
                  QStringLiteral("cmd /c adb shell rm /sdcard/screen.png"),
              }));
}

TEST_F(Form1Test, ClosingTheWindowEndsARunningScreenshot) {
    Form1& f = form1();
    clickOn(f.Image16);
    clickOn(f.Image24);  // a panel keeps the program running
    QPointer<rt::Timer> timer = f.INTERFACETimer;
    f.close();
    // A tick that was already due when the window went (the input handled
    // before it may let the window's deletion run, taking the timer along).
    for (int i = 0; i < 3; ++i)
        if (timer) timer->fire();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(host.started.size(), 2u);
    EXPECT_EQ(rt::Form::ifLoaded<Form1>(), nullptr);
}

}  // namespace
