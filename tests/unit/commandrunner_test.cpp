// How commands leave the program: the exact line and window style of each way
// of starting, the command box holding the last command, and the tails.
#include "common/commandrunner.h"

#include <gtest/gtest.h>

#include "runtime/form.h"
#include "support/commalocale.h"
#include "support/recordinghost.h"

namespace {

using testing_support::RecordingHost;

struct RunnerTest : ::testing::Test {
    RecordingHost host;
    rt::Form form;
    rt::TextBox box{&form};
};

TEST_F(RunnerTest, EachWayStartsItsLineAndStyle) {
    common::runHidden(box, QStringLiteral("adb shell pm enable "));
    common::runInConsole(box, QStringLiteral("adb shell pm list packages -d"));
    common::runInConsole(box, QStringLiteral("adb install x.apk"), common::kInstallTail);
    common::runMinimized(box, QStringLiteral("adb start-server"));
    common::runMinimized(box, QStringLiteral("adb shell pm disable-user a"),
                         common::kConsolePrefix);
    common::startDirectly(QStringLiteral("cmd /k \""), common::kNormal);

    ASSERT_EQ(host.started.size(), 6u);
    EXPECT_EQ(host.started[0].line, QStringLiteral("cmd /c adb shell pm enable "));
    EXPECT_EQ(host.started[0].style, 0);
    EXPECT_EQ(host.started[1].line, QStringLiteral("cmd /k adb shell pm list packages -d"));
    EXPECT_EQ(host.started[1].style, 1);
    EXPECT_EQ(host.started[2].line,
              QStringLiteral("cmd /k adb install x.apk") + common::kInstallTail);
    EXPECT_EQ(host.started[3].line, QStringLiteral("cmd /c adb start-server"));
    EXPECT_EQ(host.started[3].style, 2);
    EXPECT_EQ(host.started[4].line, QStringLiteral("cmd /k adb shell pm disable-user a"));
    EXPECT_EQ(host.started[4].style, 2);
    EXPECT_EQ(host.started[5].line, QStringLiteral("cmd /k \""));
    EXPECT_EQ(host.started[5].style, 1);
    // The box keeps the last command it carried.
    EXPECT_EQ(box.Text(), QStringLiteral("adb shell pm disable-user a"));
}

TEST_F(RunnerTest, TheLineIsWhatTheBoxHoldsAfterItsChangeHandler) {
    box.Change.handle([this] { box.setText(box.Text().trimmed()); });
    common::runHidden(box, QStringLiteral("  adb reboot  "));
    ASSERT_EQ(host.started.size(), 1u);
    EXPECT_EQ(host.started[0].line, QStringLiteral("cmd /c adb reboot"));
}

TEST_F(RunnerTest, UserInputGoesInAsTyped) {
    common::runHidden(box,
                      QStringLiteral("adb shell pm disable-user ") + QStringLiteral("a b & c"));
    EXPECT_EQ(host.started[0].line, QStringLiteral("cmd /c adb shell pm disable-user a b & c"));
}

TEST_F(RunnerTest, WebLinksAndMarketPages) {
    common::openWebLink(QStringLiteral("https://example.org/help"));
    EXPECT_EQ(host.opened, std::vector<QString>{QStringLiteral("https://example.org/help")});
    EXPECT_TRUE(host.started.empty());

    common::openMarketPage(box, QStringLiteral("https://example.org/apk/x"));
    ASSERT_EQ(host.started.size(), 1u);
    EXPECT_EQ(host.started[0].line,
              QStringLiteral("cmd /c adb shell am start -a android.intent.action.VIEW -d "
                             "https://example.org/apk/x -p com.coolapk.market"));
    EXPECT_EQ(host.started[0].style, 0);
}

TEST_F(RunnerTest, NumbersFromBoxes) {
    box.setText(QStringLiteral("0.75"));
    EXPECT_EQ(common::numberFromBox(box), QStringLiteral("0.75"));
    box.setText(QStringLiteral("1e1"));
    EXPECT_EQ(common::numberFromBox(box), QStringLiteral("10"));
    box.setText(QString());
    EXPECT_EQ(common::numberFromBox(box), QStringLiteral("0"));
    box.setText(QStringLiteral("80.5"));
    EXPECT_EQ(common::wholeNumberFromBox(box), 80);
    box.setText(QStringLiteral("81.5"));
    EXPECT_EQ(common::wholeNumberFromBox(box), 82);
}

// The start-up tail as the console shows it, kept apart from the program's
// copy so that a changed blank or asterisk shows up.
const char16_t kStartupTailText[] =
    u" &&"
    u" COLOR 3f  &&"
    u" title 设备连接检测结果 &&"
    u" echo   ****************************************************************** &&"
    u" echo.  *                                                                * &&"
    u" echo   *   1.device前显示设备序列号即表示连接成功，软件才可正常使用！   * &&"
    u" echo   *   2.若连接不到设备，请在帮助界面下载驱动或更换电脑。           * &&"
    u" echo   *   3.连接问题属于个人设备问题，不接受反馈。                     * &&"
    u" echo.  *                                                                * &&"
    u" echo.  ****************************************************************** &&"
    u" echo.  &&"
    u" echo. &&"
    u" echo 按任意键关闭此窗口... &&"
    u" pause>null &&"
    u" EXIT";

TEST_F(RunnerTest, NumbersKeepTheirPointUnderACommaLocale) {
    testing_support::CommaLocale locale;
    REQUIRE_COMMA_LOCALE(locale);
    box.setText(QStringLiteral("0.75"));
    rt::TextBox command{&form};
    common::runHidden(command, QStringLiteral("adb shell settings put system font_scale ") +
                                   common::numberFromBox(box));
    ASSERT_EQ(host.started.size(), 1u);
    EXPECT_EQ(host.started[0].line,
              QStringLiteral("cmd /c adb shell settings put system font_scale 0.75"));
}

TEST(BannerTails, AreTheConsolesTexts) {
    EXPECT_EQ(common::kStartupTail, QString::fromUtf16(kStartupTailText));
    EXPECT_EQ(common::kStartupTail.size(), 564);
    EXPECT_EQ(common::kInstallTail,
              QStringLiteral(
                  " && COLOR 3f  && title 安装结果 && echo. && echo.出现 Success表示安装完成！ && "
                  "echo.  && echo. && echo 按任意键关闭此窗口... && pause>null && EXIT"));
    EXPECT_EQ(
        common::kDevicesTail,
        QStringLiteral("&& COLOR 3f && echo. && echo 按任意键关闭此窗口... && pause>null && EXIT"));
    EXPECT_EQ(common::kRecoveryTail,
              QStringLiteral("&& COLOR 3f && echo. && echo 刷入完成！&& echo "
                             "手机可能会重启一到两次后自动进入rec，为正常现象！&& echo. && echo "
                             "按任意键关闭此窗口... && pause>null && EXIT"));
    EXPECT_EQ(common::kFlashTail,
              QStringLiteral(
                  "&& COLOR 3f && echo. && echo 刷入完成！&& echo. && echo 按任意键关闭此窗口... "
                  "&& pause>null && EXIT"));
    for (const QString* t : {&common::kStartupTail, &common::kInstallTail, &common::kDevicesTail,
                             &common::kRecoveryTail, &common::kFlashTail})
        EXPECT_TRUE(
            t->endsWith(QStringLiteral("&& echo 按任意键关闭此窗口... && pause>null && EXIT")));
}

}  // namespace
