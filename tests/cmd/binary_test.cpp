// The built interpreter, run as the programs run it: one line after /c or /k,
// with fake adb and fastboot on PATH.

#include <gtest/gtest.h>
#include <unistd.h>

#include <optional>

#include "harness.h"

using cmdtest::Outcome;
using cmdtest::Sandbox;

namespace {

// Byte-exact copies of what the programs append to their commands.
const std::string kStartupTail =
    " &&"
    " COLOR 3f  &&"
    " title 设备连接检测结果 &&"
    " echo   ****************************************************************** &&"
    " echo.  *                                                                * &&"
    " echo   *   1.device前显示设备序列号即表示连接成功，软件才可正常使用！   * &&"
    " echo   *   2.若连接不到设备，请在帮助界面下载驱动或更换电脑。           * &&"
    " echo   *   3.连接问题属于个人设备问题，不接受反馈。                     * &&"
    " echo.  *                                                                * &&"
    " echo.  ****************************************************************** &&"
    " echo.  &&"
    " echo. &&"
    " echo 按任意键关闭此窗口... &&"
    " pause>null &&"
    " EXIT";
const std::string kInstallTail =
    " && COLOR 3f  && title 安装结果 && echo. && echo.出现 Success表示安装完成！ && echo.  && "
    "echo. && echo 按任意键关闭此窗口... && pause>null && EXIT";
const std::string kDevicesTail =
    "&& COLOR 3f && echo. && echo 按任意键关闭此窗口... && pause>null && EXIT";
const std::string kRecoveryTail =
    "&& COLOR 3f && echo. && echo 刷入完成！&& echo "
    "手机可能会重启一到两次后自动进入rec，为正常现象！&& echo. && echo 按任意键关闭此窗口... && "
    "pause>null && EXIT";
const std::string kFlashTail =
    "&& COLOR 3f && echo. && echo 刷入完成！&& echo. && echo 按任意键关闭此窗口... && pause>null "
    "&& EXIT";

const std::string kPausePrompt = "请按任意键继续. . . ";
const std::string kAdbDevices = "List of devices attached\nR58M12345\tdevice\n\n";
const std::string kClose = "按任意键关闭此窗口... \n";

size_t codePoints(const std::string& s) {
    size_t n = 0;
    for (unsigned char c : s) n += (c & 0xC0) != 0x80;
    return n;
}

std::string notFound(const std::string& name) {
    return "'" + name + "' 不是内部或外部命令，也不是可运行的程序或批处理文件。\n";
}

// 9009 does not fit an exit status; the low byte is what a Linux parent sees.
constexpr int kNotFoundStatus = 9009 & 0xFF;

struct Case {
    const char* what;
    std::string line;
    std::string out;
    int code = 0;
    std::string file = {};                              // below the working folder
    std::optional<std::string> content = std::nullopt;  // nullopt: the file must not exist
};

void runTable(const std::vector<Case>& cases) {
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.what) + ": " + c.line);
        Sandbox box;
        box.write("lines.txt", "alpha\nBeta\ngamma beta\r\n");
        box.fakeTool("adb", "");
        Outcome o = box.run({"/c " + c.line});
        EXPECT_FALSE(o.timedOut);
        EXPECT_EQ(o.out, c.out);
        EXPECT_EQ(o.code, c.code) << o.err;
        if (!c.file.empty()) {
            EXPECT_EQ(box.exists(c.file), c.content.has_value());
            if (c.content) {
                EXPECT_EQ(box.read(c.file), *c.content);
            }
        }
    }
}

TEST(CmdBinary, Operators) {
    runTable({
        {"&& runs the right side after success", "echo a&& echo b", "a\nb\n"},
        {"&& skips it after failure", "nope&& echo b", "", kNotFoundStatus},
        {"|| runs the right side after failure", "nope|| echo b", "b\n"},
        {"|| skips it after success", "echo a|| echo b", "a\n"},
        {"& always goes on", "nope& echo b", "b\n"},
        {"&& binds tighter than ||", "echo a|| echo b&& echo c", "a\n"},
        {"| binds tighter than &&", "echo a&& echo b| findstr b", "a\nb\n"},
        {"|| binds tighter than &", "echo a|| echo b& echo c", "a\nc\n"},
        {"blanks before an operator belong to the command", "echo a && echo b", "a \nb\n"},
        {"CJK text right before &&", "echo 刷入完成！&& echo x", "刷入完成！\nx\n"},
        {"exit code of the last command", "echo a& nope", "a\n", kNotFoundStatus},
        {"a trailing & is accepted", "echo a&", "a\n"},
        {"&& with nothing after it is an error", "echo a&&", "", 255},
        {"a leading | is an error", "| echo a", "", 255},
        {"^ escapes &", "echo a^&b", "a&b\n"},
        {"^ escapes | < >", "echo ^<a^|b^>", "<a|b>\n"},
        {"^ escapes itself", "echo ^^", "^\n"},
        {"quotes protect operators and stay", "echo \"a&b|c>d\"", "\"a&b|c>d\"\n"},
        {"^ is plain inside quotes", "echo \"a^&b\"", "\"a^&b\"\n"},
        {"a group shares one redirection", "(echo a& echo b)> g.txt", "", 0, "g.txt", "a\nb\n"},
        {"exit stops the line", "echo a& exit 4& echo b", "a\n", 4},
        {"exit alone keeps the errorlevel", "nope& exit", "", kNotFoundStatus},
        {"the quote rule drops the first and last quote", "\"echo \"x\" y\"", "\"x\" y\n"},
        {"a single leading quote just goes", "\"echo a", "a\n"},
        {"%VAR% expands", "echo %CMD_TEST_VALUE%", "from the environment\n"},
        {"undefined %VAR% stays", "echo %NO_SUCH_VAR_X%", "%NO_SUCH_VAR_X%\n"},
    });
}

TEST(CmdBinary, EchoForms) {
    runTable({
        {"echo. prints an empty line", "echo.", "\n"},
        {"echo: prints an empty line", "echo:", "\n"},
        {"echo.word prints the word", "echo.word", "word\n"},
        {"echo. keeps the blanks after it", "echo.  ", "  \n"},
        {"one separator blank is dropped", "echo   two  inner  ", "  two  inner  \n"},
        {"bare echo reports its state", "echo", "ECHO 处于打开状态。\n"},
        {"blanks only report the state too", "echo    ", "ECHO 处于打开状态。\n"},
        {"echo off is a switch", "echo off& echo", "ECHO 处于关闭状态。\n"},
        {"names are case-insensitive", "ECHO Upper", "Upper\n"},
        {"quotes are printed", "echo \"quoted  text\"", "\"quoted  text\"\n"},
    });
}

TEST(CmdBinary, Redirections) {
    runTable({
        {"> glued to the word", "echo hi> out.txt", "", 0, "out.txt", "hi\n"},
        {"a blank before > is printed", "echo hi >out.txt", "", 0, "out.txt", "hi \n"},
        {">> appends", "echo a> out.txt& echo b>> out.txt", "", 0, "out.txt", "a\nb\n"},
        {"< feeds standard input", "findstr Beta < lines.txt", "Beta\n"},
        {"pause>null writes a file called null", "pause>null", "", 0, "null", kPausePrompt + "\n"},
        {"nul is the null device", "echo x> nul", "", 0, "nul", std::nullopt},
        {"NUL in any case", "echo x>NuL", "", 0, "NuL", std::nullopt},
        {"2> takes the errors", "nope 2> err.txt", "", kNotFoundStatus, "err.txt",
         notFound("nope")},
        {"2>&1 joins them", "nope 2>&1", notFound("nope"), kNotFoundStatus},
        {"a redirection may come first", "> first.txt echo hi", "", 0, "first.txt", "hi\n"},
        {"a drive path is mapped", "echo hi> C:\\WINDOWS\\x.txt", "", 0,
         "../drives/c/WINDOWS/x.txt", "hi\n"},
        {"a missing folder fails the command", "echo hi> no\\such\\x.txt", "", 1, "no",
         std::nullopt},
        {"a digit glued to a word is text", "echo ab2> d.txt", "", 0, "d.txt", "ab2\n"},
        {"a missing target is an error", "echo a >", "", 1},
    });
}

TEST(CmdBinary, Findstr) {
    runTable({
        {"case-sensitive by default", "findstr Beta lines.txt", "Beta\n"},
        {"/I ignores case", "findstr /I beta lines.txt", "Beta\ngamma beta\r\n"},
        {"blanks separate alternatives", "findstr \"alpha Beta\" lines.txt", "alpha\nBeta\n"},
        {"/C: is one literal string", "findstr /C:\"gamma beta\" lines.txt", "gamma beta\r\n"},
        {"a regular expression by default", "findstr \"^B.t\" lines.txt", "Beta\n"},
        {"$ ignores the carriage return", "findstr \"ta$\" lines.txt", "Beta\ngamma beta\r\n"},
        {"/L takes the dot literally", "findstr /L \"B.t\" lines.txt", "", 1},
        {"star and classes", "findstr \"g[a-m]*a\" lines.txt", "gamma beta\r\n"},
        {"/V inverts", "findstr /V gamma lines.txt", "alpha\nBeta\n"},
        {"/N numbers lines", "findstr /N /I beta lines.txt", "2:Beta\n3:gamma beta\r\n"},
        {"no match exits 1", "findstr zzz lines.txt", "", 1},
        {"no search string exits 2", "findstr", "", 2},
        {"CJK through a pipe", "echo 刷入完成| findstr 完成", "刷入完成\n"},
    });
}

// Lines as long as a pipe will carry, typed at the prompt: each gives its
// result or the syntax message, never a crash (a chain of operators once took
// one stack frame per operator, and a pipe one process per stage).
TEST(CmdBinary, LinesOfAnyLengthGiveAResultOrTheSyntaxMessage) {
    const size_t megabyte = 1 << 20;
    auto repeated = [megabyte](const std::string& piece) {
        std::string line;
        while (line.size() < megabyte) line += piece;
        return line;
    };
    const size_t echoes = repeated("echo.&").size() / 6;
    const size_t quotes = repeated("\"&").size() / 4;
    const std::string syntax = "命令语法不正确。\n";
    struct Long {
        const char* what;
        std::string line, out, err;
        int code;
    };
    const Long cases[] = {
        {"echo.&", repeated("echo.&"), std::string(echoes, '\n'), "", 0},
        {"\"&", repeated("\"&"), "", "", kNotFoundStatus},
        {"rem|", repeated("rem|") + "rem", "", syntax, 1},
        {"nested brackets", std::string(100000, '(') + "echo x", "", syntax, 1},
    };
    for (const Long& c : cases) {
        SCOPED_TRACE(c.what);
        Sandbox box;
        Outcome o = box.run({"/q", "/k"}, c.line + "\n", 50000);
        ASSERT_FALSE(o.timedOut);
        EXPECT_EQ(o.code, c.code);
        EXPECT_TRUE(o.out == c.out) << o.out.size() << " bytes of output";
        if (c.code == kNotFoundStatus) {
            const std::string each = notFound("\"&\"");
            EXPECT_EQ(o.err.size(), quotes * each.size());
            EXPECT_TRUE(o.err.starts_with(each) && o.err.ends_with(each));
        } else {
            EXPECT_EQ(o.err, c.err);
        }
    }
}

// A /c line that ends in a program hands it the interpreter's process: a
// hidden click costs one process start. The program reports its own id and
// its parent's, and exits with the code it is given.
TEST(CmdBinary, TheProgramEndingACLineTakesTheInterpretersPlace) {
    Sandbox box;
    cmdtest::writeFile(box.bin + "/ids", "#!/bin/sh\necho \"$$ $PPID\"\nexit ${1:-0}\n", true);
    const std::string tester = std::to_string(getpid());
    auto in = [&](const Outcome& o) { return std::to_string(o.pid) + " " + tester + "\n"; };
    // A child of the interpreter: its first line of output ends in the interpreter's id.
    auto child = [](const Outcome& o) {
        return o.out.substr(0, o.out.find('\n') + 1).ends_with(" " + std::to_string(o.pid) + "\n");
    };

    Outcome o = box.run({"/c ids 7"});
    EXPECT_EQ(o.out, in(o));
    EXPECT_EQ(o.code, 7);

    o = box.run({"/c", "\"ids && ids 5 > ids.txt\""});
    EXPECT_TRUE(child(o)) << "the first runs as a child: " << o.out;
    EXPECT_EQ(box.read("ids.txt"), in(o)) << "the last, redirected, takes the place";
    EXPECT_EQ(o.code, 5);

    o = box.run({"/k ids 3"});
    EXPECT_TRUE(child(o)) << "/k goes on after it: " << o.out;
}

TEST(CmdBinary, ColourWithEqualDigitsChangesNothingAndFails) {
    runTable({
        {"equal digits fail", "COLOR 33|| echo same", "same\n"},
        {"colour never goes into a pipe or file", "COLOR 3f", ""},
        {"not a colour", "COLOR xyz|| echo bad", "bad\n"},
    });
}

TEST(CmdBinary, StartupLineRunsAdbThenTheNoteThenWaitsForAKey) {
    ASSERT_EQ(codePoints(kStartupTail), 564u);
    Sandbox box;
    box.fakeTool("adb", kAdbDevices, 0);
    Outcome o = box.run({"/k adb devices" + kStartupTail});
    const std::string stars(66, '*');
    const std::string side = "  *" + std::string(64, ' ') + "* \n";
    EXPECT_EQ(o.out, kAdbDevices + "  " + stars + " \n" + side +
                         "  *   1.device前显示设备序列号即表示连接成功，软件才可正常使用！   * \n"
                         "  *   2.若连接不到设备，请在帮助界面下载驱动或更换电脑。           * \n"
                         "  *   3.连接问题属于个人设备问题，不接受反馈。                     * \n" +
                         side + "  " + stars + " \n" + "  \n" + " \n" + kClose);
    EXPECT_EQ(box.calls("adb"), (std::vector<std::vector<std::string>>{{"devices"}}));
    EXPECT_EQ(box.read("null"), kPausePrompt + "\n");
    EXPECT_EQ(o.code, 0);
    EXPECT_EQ(o.err, "");
}

TEST(CmdBinary, StartupLineWithFailingAdbSkipsTheTailAndStaysAtThePrompt) {
    Sandbox box;
    box.fakeTool("adb", "error: no devices/emulators found\n", 1);
    Outcome o = box.run({"/k adb devices" + kStartupTail}, "echo still here\n");
    EXPECT_EQ(o.out, "error: no devices/emulators found\n\n" + box.work + ">echo still here\n" +
                         "still here\n\n" + box.work + ">\n");
    EXPECT_FALSE(box.exists("null"));
    EXPECT_EQ(o.code, 0);
}

TEST(CmdBinary, EveryTailRunsAfterASucceedingCommand) {
    struct Tail {
        std::string command, tail, echoed;
    };
    const std::vector<Tail> tails = {
        {"adb devices", kStartupTail, ""},  // checked in full above
        {"adb install app.apk", kInstallTail, " \n出现 Success表示安装完成！ \n  \n \n" + kClose},
        {"fastboot devices", kDevicesTail, " \n" + kClose},
        {"fastboot flash recovery rec.img", kRecoveryTail,
         " \n刷入完成！\n手机可能会重启一到两次后自动进入rec，为正常现象！\n \n" + kClose},
        {"fastboot flash boot boot.img", kFlashTail, " \n刷入完成！\n \n" + kClose},
    };
    for (const Tail& t : tails) {
        SCOPED_TRACE(t.command);
        Sandbox box;
        box.fakeTool("adb", "ok\n");
        box.fakeTool("fastboot", "ok\n");
        Outcome o = box.run({"/k " + t.command + t.tail});
        EXPECT_EQ(o.code, 0);
        EXPECT_TRUE(o.out.starts_with("ok\n"));
        if (!t.echoed.empty()) {
            EXPECT_EQ(o.out, "ok\n" + t.echoed);
        }
        EXPECT_TRUE(o.out.ends_with(kClose)) << "the prompt must not come back after EXIT";
        EXPECT_EQ(box.read("null"), kPausePrompt + "\n");
    }
}

TEST(CmdBinary, PipeIntoFindstrPassesOnlyCurrentLines) {
    Sandbox box;
    box.fakeTool("adb",
                 "WINDOW MANAGER WINDOWS (dumpsys window windows)\n"
                 "  mCurrentFocus=Window{4b1 u0 com.example/.Main}\n"
                 "  mFocusedApp=ActivityRecord{9c2 u0 com.example/.Main}\n"
                 "  currentConfig=lower case does not count\n"
                 "  mCurrentRotation=ROTATION_0\n");
    Outcome o = box.run({"/c adb shell dumpsys window windows | findstr \"Current\""});
    EXPECT_EQ(o.out,
              "  mCurrentFocus=Window{4b1 u0 com.example/.Main}\n"
              "  mCurrentRotation=ROTATION_0\n");
    EXPECT_EQ(box.calls("adb"),
              (std::vector<std::vector<std::string>>{{"shell", "dumpsys", "window", "windows"}}));
    EXPECT_EQ(o.code, 0);
}

TEST(CmdBinary, GetpropIntoADrivePathLandsInTheMappedFile) {
    Sandbox box;
    box.fakeTool("adb", "Pixel 7\n");
    Outcome o = box.run({"/c adb shell getprop ro.product.model> C:\\WINDOWS\\serno.txt"});
    EXPECT_EQ(o.out, "");
    EXPECT_EQ(cmdtest::readFile(box.drives + "/c/WINDOWS/serno.txt"), "Pixel 7\n");
    EXPECT_EQ(box.calls("adb"),
              (std::vector<std::vector<std::string>>{{"shell", "getprop", "ro.product.model"}}));
}

TEST(CmdBinary, ArgumentsReachTheProgramAsTheCRuntimeSplitsThem) {
    Sandbox box;
    box.fakeTool("adb", "");
    box.run({"/c adb.exe push \"my file.txt\"   /sdcard/a\\\"b ,c \"\" 刷机"});
    EXPECT_EQ(box.calls("adb"), (std::vector<std::vector<std::string>>{
                                    {"push", "my file.txt", "/sdcard/a\"b", ",c", "", "刷机"}}));
}

TEST(CmdBinary, UnknownCommandReportsAndSetsErrorlevel9009) {
    Sandbox box;
    Outcome o = box.run({"/k", "nope"}, "echo %ERRORLEVEL%\n");
    EXPECT_EQ(o.err, notFound("nope"));
    EXPECT_NE(o.out.find(">echo %ERRORLEVEL%\n9009\n"), std::string::npos) << o.out;
}

TEST(CmdBinary, InvocationForms) {
    Sandbox box;
    EXPECT_EQ(box.run({"/c", "echo", "a", "b"}).out, "a b\n") << "argv joined by blanks";
    EXPECT_EQ(box.run({"/C,;=echo x"}).out, "x\n") << "delimiters after the switch";
    EXPECT_EQ(box.run({"/k \""}).out, box.work + ">\n") << "a lone quote leaves an empty command";
    EXPECT_EQ(box.run({"/k  "}).out, box.work + ">\n");
    EXPECT_EQ(box.run({"/c"}).code, 0);
}

TEST(CmdBinary, InteractiveSessionEchoesPipedLinesAndFollowsCd) {
    Sandbox box;
    box.write("sub/keep", "");
    Outcome o = box.run({"/k"}, "echo hi\n\ncd sub\nEXIT 5\necho never\n");
    EXPECT_EQ(o.out, box.work + ">echo hi\nhi\n\n" + box.work + ">\n" + box.work + ">cd sub\n\n" +
                         box.work + "/sub>EXIT 5\n");
    EXPECT_EQ(o.code, 5);
}

TEST(CmdBinary, DocumentsOpenWithTheAssociatedProgram) {
    Sandbox box;
    box.fakeTool("xdg-open", "");
    box.write("screen.png", "png");
    cmdtest::writeFile(box.drives + "/c/pics/shot.png", "png");
    // The opener runs detached but holds our output pipe, so it has finished
    // when run() returns.
    Outcome o = box.run({"/c screen.png"});
    EXPECT_EQ(o.code, 0) << o.err;
    o = box.run({"/c C:\\pics\\shot.png"});
    EXPECT_EQ(o.code, 0) << o.err;
    EXPECT_EQ(box.calls("xdg-open"),
              (std::vector<std::vector<std::string>>{{box.work + "/screen.png"},
                                                     {box.drives + "/c/pics/shot.png"}}));
}

TEST(CmdBinary, AFileWithoutExtensionDoesNotHideTheProgram) {
    Sandbox box;
    box.fakeTool("adb", "real adb\n");
    box.write("adb", "not a program");
    EXPECT_EQ(box.run({"/c adb"}).out, "real adb\n");
}

TEST(CmdBinary, ColourAndTitleGoToTheTerminal) {
    Sandbox box;
    Outcome o = box.runOnTerminal({"/c COLOR 3f& title 安装结果& COLOR 1E"});
    EXPECT_NE(o.out.find("\033]11;rgb:00/80/80\007\033]10;rgb:ff/ff/ff\007\033[39;49m"),
              std::string::npos);
    EXPECT_NE(o.out.find("\033]0;安装结果\007"), std::string::npos);
    EXPECT_NE(o.out.find("\033]11;rgb:00/00/80\007\033]10;rgb:ff/ff/00\007\033[39;49m"),
              std::string::npos);
    EXPECT_EQ(o.code, 0);
}

TEST(CmdBinary, PauseOnATerminalTakesOneKeyWithoutEchoingIt) {
    Sandbox box;
    Outcome o = box.runOnTerminal({"/c pause& echo done"}, kPausePrompt, "q");
    EXPECT_FALSE(o.timedOut);
    EXPECT_NE(o.out.find(kPausePrompt), std::string::npos);
    EXPECT_NE(o.out.find("done"), std::string::npos);
    EXPECT_EQ(o.out.find('q'), std::string::npos);
    EXPECT_EQ(o.code, 0);
}

}  // namespace
