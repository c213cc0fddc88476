// The screen display tuning window on the recording host: its controls, the
// number that each box gives its settings line, and one line per click for
// its own box only.
#include "tessadrel/phonearea.h"

#include "panel.h"

namespace {

using paneltest::hidden;
using tessadrel::Form1;
using tessadrel::PhoneArea;
using Journal = std::vector<QString>;

const QString kFontScale = QStringLiteral("adb shell settings put system font_scale ");

struct PhoneAreaTest : paneltest::PanelTest<PhoneArea> {
    PhoneAreaTest() : PanelTest(&Form1::Image10) {}
};

TEST_F(PhoneAreaTest, ShowsItsTwoFramesWithEmptyBoxes) {
    EXPECT_EQ(w->Caption(), QStringLiteral("无极调节"));
    expectPlaced({
        {"Fraame2", "", "字体缩放(支持到百分位)"},
        {"battper", "Fraame2", "修改字体大小倍数(默认1.0)："},
        {"Text6bat", "Fraame2", ""},
        {"N_Shape2battper", "Fraame2", "确认"},
        {"JMTZ4", "", "动画速度修改(支持到百分位)"},
        {"WINSL", "JMTZ4", "窗口："},
        {"WINS", "JMTZ4", ""},
        {"WINSOK", "JMTZ4", "√"},
        {"DURASL", "JMTZ4", "过渡："},
        {"DURAS", "JMTZ4", ""},
        {"DURASOK", "JMTZ4", "√"},
        {"PROGSL", "JMTZ4", "程序："},
        {"PROGS", "JMTZ4", ""},
        {"PROGSOK", "JMTZ4", "√"},
    });
    expectTileShowsTheSameWindow();
}

TEST_F(PhoneAreaTest, TheFontScaleIsTheNumberTheBoxBeginsWith) {
    const struct {
        const char* typed;
        const char* sent;
    } cases[] = {
        {"", "0"},     {"1.0", "1"}, {".75", "0.75"}, {"2.50", "2.5"},
        {"1 5", "15"}, {"1,5", "1"}, {"0.5x", "0.5"}, {"1.15", "1.15"},
        {"abc", "0"},  {"-2", "-2"}, {"1e1", "10"},   {" 1.3 ", "1.3"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        host.journal.clear();
        w->Text6bat->setText(QString::fromLatin1(c.typed));
        click("N_Shape2battper");
        EXPECT_EQ(host.journal, Journal{hidden(kFontScale + QString::fromLatin1(c.sent))});
        EXPECT_EQ(w->Text6bat->Text(), QString::fromLatin1(c.typed));
    }
}

TEST_F(PhoneAreaTest, EachButtonSendsOneLineWithItsOwnBox) {
    w->Text6bat->setText(QStringLiteral("1.1"));
    w->WINS->setText(QStringLiteral("0.5"));
    w->DURAS->setText(QStringLiteral("0.25"));
    w->PROGS->setText(QStringLiteral("2"));
    const struct {
        const char* button;
        const char* line;
    } cases[] = {
        {"WINSOK", "adb shell settings put global window_animation_scale 0.5"},
        {"N_Shape2battper", "adb shell settings put system font_scale 1.1"},
        {"PROGSOK", "adb shell settings put global animator_duration_scale 2"},
        {"DURASOK", "adb shell settings put global transition_animation_scale 0.25"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.button);
        host.journal.clear();
        click(c.button);
        EXPECT_EQ(host.journal, Journal{hidden(QString::fromLatin1(c.line))});
        EXPECT_EQ(commandBox(), QString::fromLatin1(c.line));
    }
    EXPECT_TRUE(host.boxes.empty());
}

}  // namespace
