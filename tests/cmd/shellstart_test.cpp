// Shell's process start, with fake terminals that report the argv they got
// through a named pipe instead of opening a window.

#include "runtime/posix/shellstart.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QFileInfo>
#include <algorithm>
#include <csignal>
#include <fstream>

#include "harness.h"
#include "runtime/services.h"

namespace {

namespace ss = rt::shellstart;
using cmdtest::Fifo;
using cmdtest::Sandbox;

QString q(const std::string& s) {
    return QString::fromStdString(s);
}

// Writes its arguments and locale, one per line, into $FAKE_OUT.
const std::string kLogArgs =
    "#!/bin/sh\n{ for a in \"$@\"; do printf '%s\\n' \"$a\"; done; echo \"LC_ALL=$LC_ALL\"; } > "
    "\"$FAKE_OUT\"\n";
// Runs what follows -e, its output into $FAKE_OUT, as a terminal would show it.
const std::string kRunAfterE =
    "#!/bin/sh\nwhile [ \"$#\" -gt 0 ] && [ \"$1\" != -e ]; do shift; done\nshift\n"
    "exec \"$@\" > \"$FAKE_OUT\" 2>&1 < /dev/null\n";

QProcessEnvironment environmentFor(const Sandbox& box, const std::string& fifo) {
    QProcessEnvironment env;
    env.insert(QStringLiteral("PATH"), q(box.bin + ":/usr/bin:/bin"));
    env.insert(QStringLiteral("LANG"), QStringLiteral("C"));
    env.insert(QStringLiteral("FAKE_OUT"), q(fifo));
    return env;
}

QStringList lines(const std::string& text) {
    return q(text).split(u'\n', Qt::SkipEmptyParts);
}

TEST(ShellStart, HiddenRunsTheStandInDirectlyWithOutputDiscarded) {
    Sandbox box;
    std::string appDir = box.root + "/app";
    cmdtest::writeFile(appDir + "/cmd", kLogArgs, true);
    Fifo fifo(box.root + "/out");
    ss::Failure why = ss::Failure::NoProgram;
    auto plan = ss::plan(QStringLiteral("cmd /c screen.png"), 0, q(appDir),
                         environmentFor(box, fifo.path()), &why);
    ASSERT_TRUE(plan);
    EXPECT_EQ(why, ss::Failure::None);
    EXPECT_EQ(plan->program, q(appDir + "/cmd"));
    EXPECT_EQ(plan->arguments, QStringList{QStringLiteral("/c screen.png")});
    EXPECT_TRUE(plan->discardOutput);
    ASSERT_GT(ss::start(*plan), 0);
    EXPECT_EQ(lines(fifo.readAll()),
              (QStringList{QStringLiteral("/c screen.png"), QStringLiteral("LC_ALL=C.UTF-8")}));
}

TEST(ShellStart, ConsoleStylesOpenXtermWithAFontForChinese) {
    for (int style : {1, 2}) {
        SCOPED_TRACE(style);
        Sandbox box;
        std::string appDir = box.root + "/app";
        cmdtest::writeFile(appDir + "/cmd", "#!/bin/sh\n", true);
        cmdtest::writeFile(box.bin + "/xterm", kLogArgs, true);
        Fifo fifo(box.root + "/out");
        const QString rest =
            QStringLiteral("/k adb devices && COLOR 3f  && title 设备连接检测结果");
        auto plan = ss::plan(QStringLiteral("cmd ") + rest, style, q(appDir),
                             environmentFor(box, fifo.path()), nullptr);
        ASSERT_TRUE(plan);
        QStringList expected{QStringLiteral("-fa"), QStringLiteral("Monospace")};
        if (style == 2) expected << QStringLiteral("-iconic");
        expected << QStringLiteral("-e") << q(appDir + "/cmd") << rest;
        ASSERT_EQ(plan->program, q(box.bin + "/xterm")) << "never the real terminal";
        EXPECT_EQ(plan->arguments, expected);
        EXPECT_FALSE(plan->discardOutput);
        ASSERT_GT(ss::start(*plan), 0);
        EXPECT_EQ(lines(fifo.readAll()), expected + QStringList{QStringLiteral("LC_ALL=C.UTF-8")});
    }
}

TEST(ShellStart, TerminalVariableNamesAnotherEmulator) {
    Sandbox box;
    std::string appDir = box.root + "/app";
    cmdtest::writeFile(appDir + "/cmd", "#!/bin/sh\n", true);
    cmdtest::writeFile(box.bin + "/xterm", "#!/bin/sh\n", true);
    cmdtest::writeFile(box.bin + "/fake-term", kLogArgs, true);
    Fifo fifo(box.root + "/out");
    QProcessEnvironment env = environmentFor(box, fifo.path());
    env.insert(QStringLiteral("TERMINAL"), QStringLiteral("fake-term --hold"));
    env.insert(QStringLiteral("LANG"), QStringLiteral("zh_CN.UTF-8"));  // kept as chosen
    auto plan = ss::plan(QStringLiteral("cmd.exe /k \""), 1, q(appDir), env, nullptr);
    ASSERT_TRUE(plan);
    ASSERT_GT(ss::start(*plan), 0);
    EXPECT_EQ(lines(fifo.readAll()),
              (QStringList{QStringLiteral("--hold"), QStringLiteral("-e"), q(appDir + "/cmd"),
                           QStringLiteral("/k \""), QStringLiteral("LC_ALL=")}));
}

TEST(ShellStart, TheConsoleRunsTheRealInterpreter) {
    Sandbox box;
    cmdtest::writeFile(box.bin + "/xterm", kRunAfterE, true);
    Fifo fifo(box.root + "/out");
    std::string appDir = QFileInfo(QStringLiteral(CMD_BINARY)).absolutePath().toStdString();
    auto plan = ss::plan(QStringLiteral("cmd /c echo 刷入完成！&& echo  two  blanks"), 1, q(appDir),
                         environmentFor(box, fifo.path()), nullptr);
    ASSERT_TRUE(plan);
    ASSERT_EQ(plan->program, q(box.bin + "/xterm")) << "never the real terminal";
    ASSERT_GT(ss::start(*plan), 0);
    EXPECT_EQ(fifo.readAll(), "刷入完成！\n two  blanks\n");
}

TEST(ShellStart, FailuresAreReportedNotSwallowed) {
    Sandbox box;
    std::string appDir = box.root + "/app";
    QProcessEnvironment env;
    env.insert(QStringLiteral("PATH"), q(box.bin));  // no terminal, no cmd
    ss::Failure why = ss::Failure::None;
    EXPECT_FALSE(ss::plan(QStringLiteral("cmd /c x"), 0, q(appDir), env, &why));
    EXPECT_EQ(why, ss::Failure::NoProgram);

    cmdtest::writeFile(appDir + "/cmd", "#!/bin/sh\n", true);
    EXPECT_TRUE(ss::plan(QStringLiteral("cmd /c x"), 0, q(appDir), env, &why));
    EXPECT_EQ(why, ss::Failure::None);
    // Only the interpreter is started, even when another program is at hand.
    box.fakeTool("adb", "");
    EXPECT_FALSE(ss::plan(QStringLiteral("adb.exe devices"), 0, q(appDir), env, &why));
    EXPECT_EQ(why, ss::Failure::NoProgram);
    EXPECT_FALSE(ss::plan(QStringLiteral("cmd /k x"), 1, q(appDir), env, &why));
    EXPECT_EQ(why, ss::Failure::NoTerminal);
    EXPECT_TRUE(ss::failureMessage(why).contains(QStringLiteral("xterm")));
    // A minimized console runs hidden instead of not at all.
    const auto hidden = ss::plan(QStringLiteral("cmd /k x"), 2, q(appDir), env, &why);
    ASSERT_TRUE(hidden);
    EXPECT_EQ(why, ss::Failure::None);
    EXPECT_EQ(hidden->program, q(appDir + "/cmd"));
    EXPECT_EQ(hidden->arguments, QStringList{QStringLiteral("/k x")});
    EXPECT_TRUE(hidden->discardOutput);

    env.insert(QStringLiteral("TERMINAL"), QStringLiteral("not-installed-term"));
    EXPECT_FALSE(ss::plan(QStringLiteral("cmd /k x"), 1, q(appDir), env, &why));
    EXPECT_EQ(why, ss::Failure::NoTerminal);
}

// A started line runs detached, as the programs expect of Shell: in a session
// of its own, with no input, signals as a fresh process has them whatever the
// program ignores, and collected once it ends so that none lingers. A
// program that cannot be started gives 0.
TEST(ShellStart, StartedLinesRunDetachedAndAreCollected) {
    Sandbox box;
    Fifo fifo(box.root + "/out");
    cmdtest::writeFile(
        box.bin + "/report",
        "#!/bin/sh\n{ echo $$; cut -d' ' -f6 /proc/$$/stat; readlink /proc/self/fd/0;"
        " grep SigIgn /proc/self/status | cut -f2; } > \"$FAKE_OUT\"\n",
        true);
    ss::Plan plan{q(box.bin + "/report"), {}, environmentFor(box, fifo.path()), true};
    auto* before = std::signal(SIGPIPE, SIG_IGN);
    const qint64 pid = ss::start(plan);
    std::signal(SIGPIPE, before);
    ASSERT_GT(pid, 0);
    const QStringList got = lines(fifo.readAll());
    ASSERT_EQ(got.size(), 4) << got.join(u'|').toStdString();
    EXPECT_EQ(got[0].toLongLong(), pid);
    EXPECT_NE(got[1].toLongLong(), static_cast<long long>(getsid(0)));
    EXPECT_EQ(got[2], QStringLiteral("/dev/null"));
    EXPECT_EQ(got[3].toULongLong(nullptr, 16) & (1ULL << (SIGPIPE - 1)), 0U);

    // Gone from the process table, not left a zombie.
    const std::string entry = "/proc/" + std::to_string(pid);
    for (int i = 0; i < 5000 && access(entry.c_str(), F_OK) == 0; ++i) usleep(1000);
    EXPECT_NE(access(entry.c_str(), F_OK), 0);

    plan.program = q(box.root + "/no-such-program");
    EXPECT_EQ(ss::start(plan), 0);
}

int threadCount() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.starts_with("Threads:")) return std::stoi(line.substr(8));
    return -1;
}

bool gone(qint64 pid) {
    return access(("/proc/" + std::to_string(pid)).c_str(), F_OK) != 0;
}

// Through the program's own Shell: commands that never end (an adb that
// hangs while the tap repeater runs on) cost no thread each, and every one
// is collected once it ends.
TEST(ShellStart, HangingCommandsCostNoThreadEachAndAreCollectedWhenTheyEnd) {
    Sandbox box;
    const std::string appDir = box.root + "/app";
    cmdtest::writeFile(appDir + "/cmd", "#!/bin/sh\nexec /bin/sleep 600\n", true);
    rt::App::setPath(q(appDir));
    struct Started : std::vector<qint64> {
        ~Started() {
            for (qint64 pid : *this) kill(static_cast<pid_t>(pid), SIGKILL);
        }
    } started;
    const QString line = QStringLiteral("cmd /c adb shell input tap 10 10");
    started.push_back(static_cast<qint64>(rt::Shell(line, 0)));
    ASSERT_GT(started[0], 0);
    const int threads = threadCount();
    for (int i = 1; i < 500; ++i) {
        started.push_back(static_cast<qint64>(rt::Shell(line, 0)));
        ASSERT_GT(started.back(), 0) << i;
    }
    EXPECT_EQ(threadCount(), threads);
    for (qint64 pid : started) EXPECT_FALSE(gone(pid)) << pid;

    for (qint64 pid : started) kill(static_cast<pid_t>(pid), SIGKILL);
    for (int i = 0; i < 20000 && !std::all_of(started.begin(), started.end(), gone); ++i)
        usleep(1000);
    for (qint64 pid : started) EXPECT_TRUE(gone(pid)) << pid << " left a zombie";
    started.clear();
    rt::App::setPath({});
}

}  // namespace
