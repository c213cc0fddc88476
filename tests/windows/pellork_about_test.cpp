// The companion's links window on the recording host: its rows as designed,
// the app-market rows that run one minimized line through the window's own
// box and then tell the user to look at the phone, the chat group's page, and
// the rows that do nothing.
#include <gtest/gtest.h>

#include "pellork/about.h"
#include "pellork/form1.h"
#include "runtime/services.h"
#include "support/recordinghost.h"
#include "support/windowprobe.h"

namespace {

using pellork::About;
using pellork::Form1;
using testing_support::captionOf;
using testing_support::RecordingHost;

const QString kUntouched = QStringLiteral("left by the main window");
const QString kMarketLine = QStringLiteral(
    "adb shell am start -a android.intent.action.VIEW -d https://www.coolapk.com/ -p "
    "com.coolapk.market");
const QString kMinimizedLine = QStringLiteral("shell 2: cmd /c ") + kMarketLine;
const QString kLookAtThePhone =
    QStringLiteral("box 0 提示: 已跳转至酷安手机端相应界面，请查看手机！");

struct PellorkAboutTest : ::testing::Test {
    RecordingHost host;
    About* w = nullptr;

    PellorkAboutTest() {
        // As the splash leaves the main window: loaded, then shown.
        Form1& main = rt::Form::get<Form1>();
        main.Show();
        main.INTERTEXT->setText(kUntouched);
        host.clickOn(main.ctl<QWidget>(QStringLiteral("N_Shape1about")));
        w = rt::Form::ifLoaded<About>();
        EXPECT_NE(w, nullptr);
        w->move(main.geometry().right() + 100, 0);  // keep the button uncovered
    }

    QWidget* control(const char* name) const { return testing_support::control(*w, name); }
};

TEST_F(PellorkAboutTest, RowsStandAsDesigned) {
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->Caption(), QStringLiteral("关于"));
    EXPECT_EQ(w->minimumSize(), w->maximumSize());
    EXPECT_FALSE(w->Text1->Visible());
    EXPECT_TRUE(w->Text1->Text().isEmpty());
    for (const char* picture : {"Image1", "Image2"})
        EXPECT_FALSE(w->ctl<rt::Image>(QLatin1String(picture))->Picture()->isEmpty()) << picture;

    const std::pair<const char*, const char*> rows[] = {
        {"Label11", "Pellork_Mi ------ 不仅仅是小米手机工具箱！"},
        {"Label2", "V1.2.5_Final"},
        {"Label6", "酷安：Halvern"},
        {"blockmi", "个人主页"},
        {"Label1", "点击关注看看号："},
        {"Label10", "《Pellork》"},
        {"Label5", "《Halvern输入法皮肤》"},
        {"Label7", "《Halvern搞机专栏》"},
        {"Label8", "《Tessadrel》"},
        {"Label9", "《Halvern聊天背景》"},
        {"Label12", "《Pellork_Xperia》"},
        // No number: a made-up one could be a stranger's group.
        {"Label4", "内测解答群："},
        {"N_Shape1", "点击加入"},
        {"Label3", "V1.2.5为最终版本，感谢一路以来的支持！"},
    };
    for (const auto& [name, caption] : rows)
        EXPECT_EQ(captionOf(control(name)), QString::fromUtf8(caption)) << name;
}

TEST_F(PellorkAboutTest, EachAppMarketRowRunsOneMinimizedLineThroughItsOwnBoxThenOneMessage) {
    for (const char* name : {"blockmi", "Label10", "Label5", "Label7", "Label8", "Label9"}) {
        host.journal.clear();
        w->Text1->setText({});
        host.clickOn(control(name));
        EXPECT_EQ(host.journal, (std::vector<QString>{kMinimizedLine, kLookAtThePhone})) << name;
        EXPECT_EQ(w->Text1->Text(), kMarketLine) << name;
    }
    EXPECT_TRUE(host.opened.empty());
    EXPECT_EQ(rt::Form::get<Form1>().INTERTEXT->Text(), kUntouched);
}

TEST_F(PellorkAboutTest, TwoRowsInARowRunTwoLinesAndShowTwoMessages) {
    host.journal.clear();
    host.clickOn(control("Label8"));
    host.clickOn(control("blockmi"));
    EXPECT_EQ(host.journal, (std::vector<QString>{kMinimizedLine, kLookAtThePhone, kMinimizedLine,
                                                  kLookAtThePhone}));
}

TEST_F(PellorkAboutTest, TheJoinButtonOpensTheChatGroupsPageAndNothingElse) {
    host.journal.clear();
    host.clickOn(control("N_Shape1"));
    EXPECT_EQ(host.opened, std::vector<QString>{QStringLiteral("https://www.coolapk.com/")});
    EXPECT_TRUE(host.journal.empty());
    EXPECT_TRUE(w->Text1->Text().isEmpty());
}

TEST_F(PellorkAboutTest, TextRowsAndPicturesDoNothing) {
    host.journal.clear();
    for (const char* name : {"Label11", "Label2", "Label6", "Label1", "Label12", "Label4", "Label3",
                             "Image1", "Image2"})
        host.clickOn(control(name));
    EXPECT_TRUE(host.journal.empty());
    EXPECT_TRUE(host.opened.empty());
    EXPECT_TRUE(w->Text1->Text().isEmpty());
}

TEST_F(PellorkAboutTest, TheAboutButtonShowsOneInstance) {
    host.clickOn(rt::Form::get<Form1>().ctl<QWidget>(QStringLiteral("N_Shape1about")));
    EXPECT_EQ(rt::Form::ifLoaded<About>(), w);
    EXPECT_EQ(rt::Form::loadedCount(), 2);
}

}  // namespace
