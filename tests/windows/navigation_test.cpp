// The display geometry window on the recording host: its controls, the
// overscan and size lines built from the boxes, the warning before a density
// or size change (its answer ignored, the boxes read after it closed), and
// the restore lines that start at once.
#include "tessadrel/navigation.h"

#include "panel.h"

namespace {

using paneltest::hidden;
using tessadrel::Form1;
using tessadrel::Navigation;
using Journal = std::vector<QString>;

const QString kWarning =
    QStringLiteral("box 48 警告!: 部分魔改ROM可能没有效果！\r\n如遇界面异常请点击恢复按钮！");

struct NavigationTest : paneltest::PanelTest<Navigation> {
    NavigationTest() : PanelTest(&Form1::Image5der) {}
};

TEST_F(NavigationTest, ShowsItsThreeFramesWithEmptyBoxes) {
    EXPECT_EQ(w->Caption(), QStringLiteral("显示操作(Windows Manager)"));
    expectPlaced({
        {"JMTZ5", "", "修改边界范围"},
        {"LEFT", "JMTZ5", "左："},
        {"LB", "JMTZ5", ""},
        {"UP", "JMTZ5", "上："},
        {"UB", "JMTZ5", ""},
        {"RIGHT", "JMTZ5", "右："},
        {"RB", "JMTZ5", ""},
        {"DOWN", "JMTZ5", "下："},
        {"DB", "JMTZ5", ""},
        {"BORDEROK", "JMTZ5", "确认"},
        {"BORDERST", "JMTZ5", "恢复"},
        {"Label9", "JMTZ5", "调整边界范围，大于0会向内侧收缩。小于0则相反"},
        {"JMTZ2", "", "修改DPI"},
        {"Label35", "JMTZ2", "输入DPI："},
        {"DPIVAL", "JMTZ2", ""},
        {"DPIYES", "JMTZ2", "确认"},
        {"DPINUL", "JMTZ2", "恢复"},
        {"DPINOTICE", "JMTZ2", "谨慎修改！若出现异常请点击恢按钮！"},
        {"JMTZ6", "", "修改分辨率"},
        {"HOR", "JMTZ6", ""},
        {"Label11", "JMTZ6", "x"},
        {"VER", "JMTZ6", ""},
        {"RESOK", "JMTZ6", "确认"},
        {"N_ShapeRESET", "JMTZ6", "恢复"},
        {"LabelINTER2", "JMTZ6", "分辨率格式：横向 x 纵向"},
        {"LabelINTER", "JMTZ6", "修改后可以通过调节DPI的方法来让界面显示正常。"},
    });
    expectTileShowsTheSameWindow();
}

TEST_F(NavigationTest, TheBordersGoOutAsNumbersInTheirOrderWithNoWarning) {
    const struct {
        const char* left;
        const char* top;
        const char* right;
        const char* bottom;
        const char* line;
    } cases[] = {
        {"", "", "", "", "adb shell wm overscan 0,0,0,0"},
        {"10", "20", "-5", "0", "adb shell wm overscan 10,20,-5,0"},
        {" 1 0", "20px", "-0.5", "1e1", "adb shell wm overscan 10,20,-0.5,10"},
        {"abc", "&H10", "+3", "1,5", "adb shell wm overscan 0,16,3,1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        host.journal.clear();
        w->LB->setText(QString::fromLatin1(c.left));
        w->UB->setText(QString::fromLatin1(c.top));
        w->RB->setText(QString::fromLatin1(c.right));
        w->DB->setText(QString::fromLatin1(c.bottom));
        click("BORDEROK");
        EXPECT_EQ(host.journal, Journal{hidden(QString::fromLatin1(c.line))});
        // The boxes keep what was typed.
        EXPECT_EQ(w->UB->Text(), QString::fromLatin1(c.top));
    }
    host.journal.clear();
    click("BORDERST");
    EXPECT_EQ(host.journal, Journal{hidden(QStringLiteral("adb shell wm overscan 0,0,0,0"))});
}

TEST_F(NavigationTest, DensityAndSizeAreSentAfterTheWarningWhateverItsAnswer) {
    const struct {
        const char* button;
        rt::TextBox* Navigation::*first;
        const char* firstText;
        rt::TextBox* Navigation::*second;
        const char* secondText;
        const char* line;
    } cases[] = {
        {"DPIYES", &Navigation::DPIVAL, "400", nullptr, "", "adb shell wm density 400"},
        {"DPIYES", &Navigation::DPIVAL, "", nullptr, "", "adb shell wm density 0"},
        {"RESOK", &Navigation::HOR, "1080", &Navigation::VER, "2340px",
         "adb shell wm size 1080x2340"},
        {"RESOK", &Navigation::HOR, "", &Navigation::VER, "", "adb shell wm size 0x0"},
    };
    // OK, and a close box, which answers an OK-only box as Cancel would.
    for (const int answer : {rt::vbOK, rt::vbCancel}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(c.line) + (answer == rt::vbOK ? " / OK" : " / closed"));
            host.journal.clear();
            (w->*c.first)->setText(QString::fromLatin1(c.firstText));
            if (c.second) (w->*c.second)->setText(QString::fromLatin1(c.secondText));
            host.boxAnswers = {answer};
            click(c.button);
            EXPECT_EQ(host.journal, (Journal{kWarning, hidden(QString::fromLatin1(c.line))}));
        }
    }
    ASSERT_FALSE(host.boxes.empty());
    EXPECT_EQ(host.boxes.back().text,
              QStringLiteral("部分魔改ROM可能没有效果！\r\n如遇界面异常请点击恢复按钮！"));
    EXPECT_EQ(host.boxes.back().flags, 48);
    EXPECT_EQ(host.boxes.back().title, QStringLiteral("警告!"));
}

TEST_F(NavigationTest, TheBoxesAreReadOnlyOnceTheWarningIsClosed) {
    w->DPIVAL->setText(QStringLiteral("400"));
    host.whileBoxOpen = {[this] {
        // Nothing has started yet while the user reads the warning.
        EXPECT_EQ(host.journal, Journal{kWarning});
        w->DPIVAL->setText(QStringLiteral("480"));
    }};
    click("DPIYES");
    EXPECT_EQ(host.journal,
              (Journal{kWarning, hidden(QStringLiteral("adb shell wm density 480"))}));

    host.journal.clear();
    w->HOR->setText(QStringLiteral("1080"));
    w->VER->setText(QStringLiteral("2340"));
    host.whileBoxOpen = {[this] {
        w->HOR->setText(QStringLiteral("720"));
        w->VER->setText(QStringLiteral("1560"));
    }};
    click("RESOK");
    EXPECT_EQ(host.journal,
              (Journal{kWarning, hidden(QStringLiteral("adb shell wm size 720x1560"))}));
    EXPECT_EQ(commandBox(), QStringLiteral("adb shell wm size 720x1560"));
}

TEST_F(NavigationTest, TheRestoreButtonsStartAtOnceWithNoBox) {
    w->DPIVAL->setText(QStringLiteral("400"));
    w->HOR->setText(QStringLiteral("1080"));
    w->LB->setText(QStringLiteral("10"));
    click("BORDERST");
    click("DPINUL");
    click("N_ShapeRESET");
    EXPECT_EQ(host.journal, (Journal{hidden(QStringLiteral("adb shell wm overscan 0,0,0,0")),
                                     hidden(QStringLiteral("adb shell wm density reset")),
                                     hidden(QStringLiteral("adb shell wm size reset"))}));
    EXPECT_TRUE(host.boxes.empty());
    EXPECT_EQ(commandBox(), QStringLiteral("adb shell wm size reset"));
}

}  // namespace
