// The key and text injection window on the recording host: its controls, the
// sixteen key lines, the text line with the interpreter's operators escaped,
// and the clear button.
#include "tessadrel/keysimu.h"

#include "panel.h"

namespace {

using paneltest::hidden;
using tessadrel::Form1;
using tessadrel::keysimu;

struct KeysimuTest : paneltest::PanelTest<keysimu> {
    KeysimuTest() : PanelTest(&Form1::Image21) {}
};

TEST_F(KeysimuTest, ShowsItsFramesButtonsAndAnEmptyTextBox) {
    EXPECT_EQ(w->Caption(), QStringLiteral("按键模拟(Keyevent)"));
    expectPlaced({
        {"Frame2strr", "", "发送文字"},
        {"Textsend", "Frame2strr", ""},
        {"N_Shapesendd", "Frame2strr", "发送"},
        {"N_Shape6clear", "Frame2strr", "清除"},
        {"Labelappr", "Frame2strr", "由于指令限制不支持发送中文字符"},
        {"Frameyyy", "", "媒体控制"},
        {"N_Shapeprev", "Frameyyy", "上一首"},
        {"N_Shapenex", "Frameyyy", "下一首"},
        {"N_Shapepaus", "Frameyyy", "播放/暂停"},
        {"ajj2", "", "键鼠模拟"},
        {"N_Shapetop", "ajj2", "↑"},
        {"N_Shapedown", "ajj2", "↓"},
        {"N_Shapeleft", "ajj2", "←"},
        {"N_Shaperight", "ajj2", "→"},
        {"Enter", "ajj2", "Enter"},
        {"N_Shape4", "ajj2", "返回"},
        {"MNAJ1", "", "物理按键模拟"},
        {"BACKWARD", "MNAJ1", "返回"},
        {"HOMEWARD", "MNAJ1", "主页"},
        {"MEUNWARD", "MNAJ1", "后台"},
        {"LOCKSCR", "MNAJ1", "锁屏"},
        {"VOLUP", "MNAJ1", "音量+"},
        {"VOLDOWN", "MNAJ1", "音量-"},
        {"MUTE", "MNAJ1", "静音"},
    });
    expectTileShowsTheSameWindow();
}

TEST_F(KeysimuTest, EachKeyButtonRunsItsWholeKeyLineHidden) {
    const struct {
        const char* button;
        const char* line;
    } keys[] = {
        {"N_Shapetop", "adb shell input keyevent 19"},
        {"N_Shapedown", "adb shell input keyevent 20"},
        {"N_Shapeleft", "adb shell input keyevent 21"},
        {"N_Shaperight", "adb shell input keyevent 22"},
        {"Enter", "adb shell input keyevent 66"},
        {"N_Shape4", "adb shell input keyevent 4"},
        {"BACKWARD", "adb shell input keyevent 4"},
        {"HOMEWARD", "adb shell input keyevent 3"},
        {"MEUNWARD", "adb shell input keyevent 187 "},
        {"LOCKSCR", "adb shell input keyevent 26"},
        {"VOLUP", "adb shell input keyevent 24"},
        {"VOLDOWN", "adb shell input keyevent 25"},
        {"MUTE", "adb shell input keyevent 164"},
        {"N_Shapeprev", "adb shell input keyevent 88"},
        {"N_Shapenex", "adb shell input keyevent 87"},
        {"N_Shapepaus", "adb shell input keyevent 86"},
    };
    for (const auto& k : keys) {
        SCOPED_TRACE(k.button);
        host.journal.clear();
        click(k.button);
        const QString line = QString::fromLatin1(k.line);
        EXPECT_EQ(host.journal, std::vector<QString>{hidden(line)});
        EXPECT_EQ(commandBox(), line);
    }

    // Quick clicks each start their own command at once.
    host.journal.clear();
    click("VOLUP");
    click("VOLUP");
    click("MUTE");
    EXPECT_EQ(host.journal,
              (std::vector<QString>{hidden(QStringLiteral("adb shell input keyevent 24")),
                                    hidden(QStringLiteral("adb shell input keyevent 24")),
                                    hidden(QStringLiteral("adb shell input keyevent 164"))}));
}

TEST_F(KeysimuTest, TypedTextIsSentAsTypedWithTheInterpretersOperatorsEscaped) {
    const struct {
        const char16_t* typed;
        const char16_t* sent;
    } cases[] = {
        {u"hello world", u"hello world"},
        {u"", u""},
        {u"a&b|c>d", u"a^&b^|c^>d"},
        // Between double quotes the interpreter leaves them alone already.
        {u"\"x&y\"", u"\"x&y\""},
        {u"it's %s; 50%", u"it's %^s; 50%"},
    };
    for (const auto& c : cases) {
        const QString typed = QString::fromUtf16(c.typed);
        SCOPED_TRACE(typed.toStdString());
        host.journal.clear();
        w->Textsend->setText(typed);
        click("N_Shapesendd");
        EXPECT_EQ(host.journal,
                  std::vector<QString>{hidden(QStringLiteral("adb shell input text ") +
                                              QString::fromUtf16(c.sent))});
        EXPECT_EQ(w->Textsend->Text(), typed);  // the box keeps what the user typed
    }
    EXPECT_EQ(host.started.back().line,
              QStringLiteral("cmd /c adb shell input text it's %^s; 50%"));
    EXPECT_EQ(host.started.back().style, 0);
}

TEST_F(KeysimuTest, ClearEmptiesTheTextBoxAndStartsNothing) {
    w->Textsend->setText(QStringLiteral("hello"));
    click("N_Shape6clear");
    EXPECT_TRUE(w->Textsend->Text().isEmpty());
    click("N_Shape6clear");
    EXPECT_TRUE(w->Textsend->Text().isEmpty());
    EXPECT_TRUE(host.journal.empty());
    EXPECT_TRUE(commandBox().isEmpty());

    click("N_Shapesendd");
    EXPECT_EQ(host.journal, std::vector<QString>{hidden(QStringLiteral("adb shell input text "))});
}

}  // namespace
