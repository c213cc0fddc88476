// The about window on the recording host: its rows as designed, the web
// links that open exactly their address, the app-market rows that run one
// hidden line through the window's own box and then tell the user to look at
// the phone, the rows that do nothing, and the app-market addresses of both
// programs, which reach two shells unquoted.
#include "tessadrel/about.h"

#include <gtest/gtest.h>

#include "common/commandrunner.h"
#include "pellork/links.h"
#include "runtime/services.h"
#include "support/recordinghost.h"
#include "support/windowprobe.h"
#include "tessadrel/form1.h"
#include "tessadrel/links.h"

namespace {

using tessadrel::About;
using tessadrel::Form1;
using testing_support::captionOf;
using testing_support::RecordingHost;

const QString kFolder = QStringLiteral("/opt/tessadrel");
const QString kUntouched = QStringLiteral("left by another window");
const QString kMarketLine = QStringLiteral(
    "adb shell am start -a android.intent.action.VIEW -d https://www.coolapk.com/ -p "
    "com.coolapk.market");
const QString kLookAtThePhone =
    QStringLiteral("box 0 提示: 已跳转至酷安手机端相应界面，请查看手机！");

struct AboutTest : ::testing::Test {
    RecordingHost host;
    About* w = nullptr;

    AboutTest() {
        rt::App::setPath(kFolder);
        host.files = {kFolder + QStringLiteral("/adb"), kFolder + QStringLiteral("/fastboot")};
        Form1& main = rt::Form::get<Form1>();
        host.clickOn(main.Image25);
        w = rt::Form::ifLoaded<About>();
        EXPECT_NE(w, nullptr);
        w->move(main.geometry().right() + 100, 0);  // keep the tile uncovered
        main.INTERTEXT->setText(kUntouched);
        host.journal.clear();  // the main window's start-up console
    }
    ~AboutTest() override { rt::App::setPath({}); }

    QWidget* control(const char* name) const { return testing_support::control(*w, name); }
};

TEST_F(AboutTest, RowsStandAsDesignedWithTheChannelsTopToBottom) {
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->Caption(), QStringLiteral("关于"));
    EXPECT_EQ(w->minimumSize(), w->maximumSize());
    EXPECT_FALSE(w->Text1->Visible());
    EXPECT_TRUE(w->Text1->Text().isEmpty());
    EXPECT_FALSE(w->ctl<rt::Image>(QStringLiteral("Image1"))->Picture()->isEmpty());

    const std::pair<const char*, const char*> rows[] = {
        {"Label2", "V6.14"},
        {"N_Shape1", "软件更新 (提取码：r5vx)"},
        {"Label17", "酷安："},
        {"Label6", "@Halvern (点击关注)"},
        // No number: a made-up one could be a stranger's group.
        {"Label4", "内测解答群(点击加入)："},
        {"Label1", "关注看看号(点击可直接跳转)："},
        {"Label8", "软件：《Tessadrel》"},
        {"Label15", "多机型工具：《Tessadrel_Multi》"},
        {"Label16", "手机主题：《Halvern主题》"},
        {"Label7", "文章：《Halvern搞机笔记》"},
        {"Label9", "壁纸：《Halvern壁纸》"},
        {"Label5", "输入法皮肤：《Halvern输入法皮肤》"},
        {"Label11", "图标来源："},
        {"Label10", "https://fonts.google.com/icons"},
        {"Label12", "功能源码："},
        {"Label13", "https://source.android.com/"},
        {"Label14", "https://developer.android.com/tools/adb"},
        {"Label3", "感谢每一位使用和反馈的朋友，Tessadrel会一直免费更新下去！"},
    };
    for (const auto& [name, caption] : rows)
        EXPECT_EQ(captionOf(control(name)), QString::fromUtf8(caption)) << name;
    int top = -1;
    for (const char* channel : {"Label8", "Label15", "Label16", "Label7", "Label9", "Label5"}) {
        EXPECT_GT(control(channel)->y(), top) << channel;
        top = control(channel)->y();
    }
}

TEST_F(AboutTest, EachWebLinkOpensExactlyItsAddressAndNothingElse) {
    const std::pair<const char*, const char*> links[] = {
        {"N_Shape1", "https://www.coolapk.com/"},
        {"Label4", "https://www.coolapk.com/"},
        {"Label10", "https://fonts.google.com/icons"},
        {"Label13", "https://source.android.com/"},
        {"Label14", "https://developer.android.com/tools/adb"},
    };
    for (const auto& [name, address] : links) {
        host.opened.clear();
        host.clickOn(control(name));
        EXPECT_EQ(host.opened, std::vector<QString>{QString::fromUtf8(address)}) << name;
    }
    EXPECT_TRUE(host.journal.empty());
    EXPECT_TRUE(w->Text1->Text().isEmpty());
}

TEST_F(AboutTest, EachAppMarketRowRunsOneHiddenLineThroughItsOwnBoxThenOneMessage) {
    for (const char* name :
         {"Label6", "Label8", "Label15", "Label16", "Label7", "Label9", "Label5"}) {
        host.journal.clear();
        w->Text1->setText({});
        host.clickOn(control(name));
        EXPECT_EQ(host.journal,
                  (std::vector<QString>{QStringLiteral("shell 0: cmd /c ") + kMarketLine,
                                        kLookAtThePhone}))
            << name;
        EXPECT_EQ(w->Text1->Text(), kMarketLine) << name;
        EXPECT_TRUE(host.opened.empty()) << name;
    }
    EXPECT_EQ(rt::Form::get<Form1>().INTERTEXT->Text(), kUntouched);
}

TEST_F(AboutTest, TwoClicksOnARowRunTwoLinesAndShowTwoMessages) {
    host.clickOn(control("Label9"));
    host.clickOn(control("Label9"));
    const QString line = QStringLiteral("shell 0: cmd /c ") + kMarketLine;
    EXPECT_EQ(host.journal, (std::vector<QString>{line, kLookAtThePhone, line, kLookAtThePhone}));
}

TEST_F(AboutTest, HeadingsVersionClosingLineAndPictureDoNothing) {
    for (const char* name :
         {"Label2", "Label17", "Label1", "Label11", "Label12", "Label3", "Image1"})
        host.clickOn(control(name));
    EXPECT_TRUE(host.journal.empty());
    EXPECT_TRUE(host.opened.empty());
    EXPECT_TRUE(w->Text1->Text().isEmpty());
}

TEST_F(AboutTest, TheTileShowsOneInstance) {
    host.clickOn(rt::Form::get<Form1>().Image25);
    EXPECT_EQ(rt::Form::ifLoaded<About>(), w);
    EXPECT_EQ(rt::Form::loadedCount(), 2);
}

// The addresses go unquoted through the interpreter on this computer and the
// shell on the phone: a blank splits them, the others start, chain, redirect
// or expand something.
TEST(AppMarketAddresses, HoldNothingEitherShellWouldActOn) {
    const QLatin1StringView pages[] = {
        tessadrel::links::kMakerPage,           tessadrel::links::kProgramChannel,
        tessadrel::links::kPhoneToolChannel,    tessadrel::links::kThemeChannel,
        tessadrel::links::kArticleChannel,      tessadrel::links::kWallpaperChannel,
        tessadrel::links::kSkinChannel,         pellork::links::kMakerPage,
        pellork::links::kFamilyChannel,         pellork::links::kSkinChannel,
        pellork::links::kTinkeringChannel,      pellork::links::kMainProgramChannel,
        pellork::links::kChatBackgroundChannel,
    };
    const QString unsafe = QStringLiteral(" \t\"'&|<>^%?*;$#()`\\");
    for (QLatin1StringView page : pages) {
        EXPECT_TRUE(page.startsWith(QLatin1StringView("https://"))) << page.data();
        for (QChar c : unsafe)
            EXPECT_FALSE(QString(page).contains(c)) << page.data() << " " << c.toLatin1();
    }
}

}  // namespace
