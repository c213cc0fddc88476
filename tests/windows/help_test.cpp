// The help window on the recording host: its captions and pages as designed,
// the one page shown beside the tabs after loading and after each tab, a
// fresh introduction after closing, and the three buttons that open exactly
// their address and nothing else.
#include "tessadrel/help.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>

#include "runtime/services.h"
#include "support/recordinghost.h"
#include "support/windowprobe.h"
#include "tessadrel/form1.h"

namespace {

using tessadrel::Form1;
using tessadrel::Help;
using testing_support::captionOf;
using testing_support::control;
using testing_support::RecordingHost;

const QString kFolder = QStringLiteral("/opt/tessadrel");

const QString kIntroduction = QStringLiteral(
    "Tessadrel是一款通过ADB(Android调试桥)来操作手机的电脑端工具。\r\n"
    "ADB的权限介于用户与超级用户(Root)之间，因此本工具可在不Root的情况下实现一些手机自带设置中不具"
    "有的功能。\r\n"
    "\r\n"
    "为什么要选择Tessadrel，而不是其他的图形化ADB工具？\r\n"
    "\r\n"
    "1.体积小\r\n"
    "主程序不到1M，总大小1.4M。方便内置，随时携带。\r\n"
    "\r\n"
    "2.兼容强\r\n"
    "采用Win32原生API。无需安装.NET框架，可兼容Win2K以上系统，解压即用。\r\n"
    "\r\n"
    "3.权限少\r\n"
    "不涉及文件读取操作，无需管理员权限。在机房，网吧等公用电脑也可使用。\r\n"
    "\r\n"
    "4.更新快\r\n"
    "仅在酷安发布，通过网盘随时更新。由Halvern一人开发维护，不设任何付费版本。");

struct HelpTest : ::testing::Test {
    RecordingHost host;

    HelpTest() {
        rt::App::setPath(kFolder);
        host.files = {kFolder + QStringLiteral("/adb"), kFolder + QStringLiteral("/fastboot")};
    }
    ~HelpTest() override { rt::App::setPath({}); }

    Help& openFromTile() {
        Form1& main = rt::Form::get<Form1>();
        host.clickOn(main.Image23);
        Help* h = rt::Form::ifLoaded<Help>();
        EXPECT_NE(h, nullptr);
        h->move(main.geometry().right() + 100, 0);  // keep the tile uncovered
        host.journal.clear();                       // the main window's start-up console
        return *h;
    }

    // Which pages show, and where the shown ones stand.
    struct Pages {
        bool intro, usb, common;
    };
    static void expectOnly(const Help& h, Pages want, const char* after) {
        EXPECT_EQ(h.INTRO->Visible(), want.intro) << after;
        EXPECT_EQ(h.USBQA->Visible(), want.usb) << after;
        EXPECT_EQ(h.COMMONQA->Visible(), want.common) << after;
        for (const rt::Frame* page : {h.INTRO, h.USBQA, h.COMMONQA}) {
            if (!page->Visible()) continue;
            EXPECT_EQ(page->Left(), 1560) << after;
            EXPECT_EQ(page->Top(), 8) << after;
        }
    }
};

TEST_F(HelpTest, CaptionsPagesAndSpareBoxesStandAsDesigned) {
    Help& h = openFromTile();
    EXPECT_TRUE(h.isVisible());
    EXPECT_EQ(h.Caption(), QStringLiteral("帮助支持"));
    // A fixed size: the spare boxes beyond the client area stay out of sight.
    EXPECT_EQ(h.minimumSize(), h.maximumSize());

    const std::tuple<const char*, const char*, QString> rows[] = {
        {"", "INTRO1", QStringLiteral("软件介绍")},
        {"", "INTRO2", QStringLiteral("连接与驱动")},
        {"", "INTRO3", QStringLiteral("特殊情况")},
        {"", "INTRO", QStringLiteral("Frame1")},
        {"INTRO", "Label1", kIntroduction},
        {"INTRO", "Label5",
         QStringLiteral("*对于Android版本5.0以下以及部分魔改Rom，部分功能可能不受支持！")},
        {"INTRO", "Label2", QString()},
        {"INTRO", "V3", QStringLiteral("V3版(包含PC功能)")},
        {"", "USBQA", QStringLiteral("Frame1")},
        {"USBQA", "Label4",
         QStringLiteral("1.设置-关于手机（关于设备）-（软件信息）-连续点击“版本号或内部版本号”7次-"
                        "返回上一层菜单，显示开发者选项-USB调试。")},
        {"USBQA", "Label13", QStringLiteral("2.确保正确安装ADB驱动，二选一即可。")},
        {"USBQA", "DOWNOLD1", QStringLiteral("驱动1")},
        {"USBQA", "DOWNLOAD2", QStringLiteral("驱动2")},
        {"USBQA", "Label8", QStringLiteral("3.连接电脑。注意屏幕的授权请求，如右图。")},
        {"", "COMMONQA", QStringLiteral("Frame1")},
        {"COMMONQA", "Label10",
         QStringLiteral("Q：出现“由于某个应用遮挡了权限请求界面...”或“Because an app is "
                        "obscuring...”")},
        {"COMMONQA", "Label9",
         QStringLiteral(
             "A：设置 - 应用程序 - 特殊访问 - 可出现在顶部的应用程序。全部关掉(大多数情况"
             "因为手势软件冲突)，就能正常USB调试连接了。")},
    };
    for (const auto& [container, name, caption] : rows) {
        QWidget* c = control(h, name);
        ASSERT_NE(c, nullptr);
        EXPECT_EQ(captionOf(c), caption) << name;
        const QString in = *container ? QLatin1String(container) : h.Name();
        EXPECT_EQ(c->parentWidget()->objectName(), in) << name;
    }
    // The pages draw neither border nor caption, and carry their tab's name.
    EXPECT_EQ(h.INTRO->BorderStyle(), 0);
    EXPECT_EQ(h.USBQA->BorderStyle(), 0);
    EXPECT_EQ(h.COMMONQA->BorderStyle(), 0);
    EXPECT_EQ(h.USBQA->accessibleName(), QStringLiteral("连接与驱动"));

    // The tabs stand in a column at the left edge, top to bottom.
    EXPECT_LT(h.INTRO1->Top(), h.INTRO2->Top());
    EXPECT_LT(h.INTRO2->Top(), h.INTRO3->Top());
    EXPECT_LE(h.INTRO1->Left() + h.INTRO1->Width(), 1560);

    // The prompt's picture sits to the right of its step.
    auto* picture = h.ctl<rt::Image>(QStringLiteral("Image1"));
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->parentWidget(), h.USBQA);
    EXPECT_FALSE(picture->Picture()->isEmpty());
    QWidget* step = control(h, "Label8");
    EXPECT_GE(picture->geometry().left(), step->geometry().right());

    for (const char* name : {"Text1", "Text2", "Text3", "TEXTGUIDE1", "TEXTGUIDE2"}) {
        auto* box = h.ctl<rt::TextBox>(QLatin1String(name));
        ASSERT_NE(box, nullptr) << name;
        EXPECT_TRUE(box->Text().isEmpty()) << name;
        EXPECT_FALSE(h.rect().intersects(box->geometry())) << name;
    }
}

TEST_F(HelpTest, AfterLoadingOnlyTheIntroductionShowsBesideTheTabs) {
    Help& h = openFromTile();
    expectOnly(h, {true, false, false}, "load");
    EXPECT_FALSE(h.Text1->Visible());
    EXPECT_FALSE(h.Text2->Visible());
    // The other pages were moved nowhere: they stay where they were designed.
    EXPECT_NE(h.USBQA->Top(), 8);
}

TEST_F(HelpTest, EachTabShowsOnlyItsPageAtTheSameSpot) {
    Help& h = openFromTile();
    struct Step {
        rt::Label* tab;
        Pages shown;
    };
    const Step steps[] = {
        {h.INTRO1, {true, false, false}},  // the shown page's tab: nothing changes
        {h.INTRO2, {false, true, false}}, {h.INTRO2, {false, true, false}},
        {h.INTRO3, {false, false, true}}, {h.INTRO1, {true, false, false}},
        {h.INTRO3, {false, false, true}}, {h.INTRO2, {false, true, false}},
        {h.INTRO1, {true, false, false}},  // 连接与驱动 then 软件介绍
    };
    for (const Step& s : steps) {
        host.clickOn(s.tab);
        expectOnly(h, s.shown, s.tab->Caption().toUtf8().constData());
    }
    EXPECT_TRUE(host.journal.empty());
    EXPECT_TRUE(host.opened.empty());
}

TEST_F(HelpTest, ATileShowsOneInstanceAndAReopenedWindowStartsOnTheIntroduction) {
    Help& h = openFromTile();
    host.clickOn(h.INTRO3);
    EXPECT_EQ(&openFromTile(), &h);
    EXPECT_TRUE(h.COMMONQA->Visible());  // the open window keeps its page
    EXPECT_EQ(rt::Form::loadedCount(), 2);

    h.close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(rt::Form::ifLoaded<Help>(), nullptr);
    Help& again = openFromTile();
    expectOnly(again, {true, false, false}, "reopened");
}

TEST_F(HelpTest, EachButtonOpensExactlyItsAddressAndNothingElse) {
    Help& h = openFromTile();
    const std::tuple<rt::Label*, const char*, const char*> links[] = {
        // adb needs no driver here: the set-up page tells how to reach the
        // phone over USB, the second gives the tools themselves.
        {h.INTRO2, "DOWNOLD1", "https://developer.android.com/studio/run/device"},
        {h.INTRO2, "DOWNLOAD2", "https://developer.android.com/tools/releases/platform-tools"},
        {h.INTRO1, "V3", "https://www.coolapk.com/"},
    };
    for (const auto& [tab, name, address] : links) {
        host.clickOn(tab);
        host.opened.clear();
        host.clickOn(control(h, name));
        EXPECT_EQ(host.opened, std::vector<QString>{QString::fromUtf8(address)}) << name;
    }
    EXPECT_TRUE(host.journal.empty());
    EXPECT_TRUE(host.boxes.empty());
}

}  // namespace
