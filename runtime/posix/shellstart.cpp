#include "runtime/posix/shellstart.h"

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/eventfd.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdint>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

#include "runtime/services.h"
#include "winrules/lookup.h"

namespace rt::shellstart {
namespace {

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t';
}

// The folders a program name is looked for in: the environment's PATH, else
// this program's own, else the system's default.
QString searchPath(const QProcessEnvironment& env) {
    QString path = env.value(QStringLiteral("PATH"));
    if (winrules::pathFolders(path.toStdString()).empty())
        path = qEnvironmentVariable("PATH", QStringLiteral("/usr/bin:/bin"));
    return path;
}

// A name with a slash is taken as it is; any other is looked for along PATH.
// The answer is an absolute, clean file name.
QString findProgram(const QString& name, const QProcessEnvironment& env) {
    const std::string local = QFile::encodeName(name).toStdString();
    if (name.contains(u'/'))
        return winrules::isProgramFile(local) ? QFileInfo(name).absoluteFilePath() : QString();
    const std::string found =
        winrules::findInPath(local, QFile::encodeName(searchPath(env)).toStdString());
    if (found.empty()) return {};
    return QDir::cleanPath(QDir::current().absoluteFilePath(QFile::decodeName(found.c_str())));
}

bool isUtf8Locale(const QString& name) {
    QString lower = name.toLower();
    return lower.contains(QStringLiteral("utf-8")) || lower.contains(QStringLiteral("utf8"));
}

// The locale in force is LC_ALL, else LC_CTYPE, else LANG. Chinese text needs
// it to be UTF-8; a UTF-8 locale the user chose is kept.
void ensureUtf8Locale(QProcessEnvironment& env) {
    QString effective;
    for (const char* name : {"LC_ALL", "LC_CTYPE", "LANG"}) {
        effective = env.value(QString::fromLatin1(name));
        if (!effective.isEmpty()) break;
    }
    if (isUtf8Locale(effective)) return;
    env.insert(QStringLiteral("LANG"), QStringLiteral("C.UTF-8"));
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
}

struct Terminal {
    QString program;
    QStringList options;
};

std::optional<Terminal> findTerminal(const QProcessEnvironment& env) {
    QStringList named = QProcess::splitCommand(env.value(QStringLiteral("TERMINAL")));
    if (!named.isEmpty()) {
        QString program = findProgram(named.takeFirst(), env);
        if (!program.isEmpty()) return Terminal{program, named};
    }
    QString xterm = findProgram(QStringLiteral("xterm"), env);
    if (!xterm.isEmpty()) return Terminal{xterm, {}};
    return std::nullopt;
}

bool isXterm(const QString& program) {
    QString name = QFileInfo(program).fileName();
    return name == QStringLiteral("xterm") || name == QStringLiteral("uxterm");
}

// Collects every started child once it has ended, so that none lingers as a
// zombie, with one thread for all of them however many run: a command that
// hangs (a phone that stopped answering) must not cost a thread, and the
// program's own children of other kinds (those of QProcess) are never
// touched. The thread waits on a process descriptor per child, which becomes
// readable when the child ends, and on an event descriptor through which new
// children are announced. A child for which no descriptor can be had (none
// left, an old kernel) is asked after with WNOHANG a few times a second.
class Reaper {
public:
    // The one reaper, started on first use; nullptr when it cannot be
    // started (no descriptor or thread to be had), and then a later call
    // tries again.
    static Reaper* get() {
        static std::mutex guard;
        static Reaper* the = nullptr;  // runs until the program ends
        std::lock_guard lock(guard);
        if (!the) {
            auto made = std::unique_ptr<Reaper>(new Reaper);
            if (made->begin()) the = made.release();
        }
        return the;
    }

    void watch(pid_t pid) {
        {
            std::lock_guard lock(mutex_);
            added_.push_back(pid);
        }
        const std::uint64_t one = 1;
        // Only a full counter fails, and then the thread is awake already.
        [[maybe_unused]] const ssize_t n = ::write(wake_, &one, sizeof one);
    }

private:
    Reaper() = default;

    bool begin() {
        wake_ = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
        if (wake_ < 0) return false;
        try {
            std::thread([this] { run(); }).detach();
        } catch (const std::system_error&) {
            ::close(wake_);
            return false;
        }
        return true;
    }

    static int descriptorOf(pid_t pid) {
#ifdef SYS_pidfd_open
        return static_cast<int>(syscall(SYS_pidfd_open, pid, 0));
#else
        (void)pid;
        return -1;
#endif
    }

    // True when the child has been collected (or was never ours to collect).
    static bool collected(pid_t pid) {
        pid_t r;
        while ((r = waitpid(pid, nullptr, WNOHANG)) < 0 && errno == EINTR) {
        }
        return r != 0;
    }

    [[noreturn]] void run() {
        std::vector<pollfd> fds{{wake_, POLLIN, 0}};
        std::vector<pid_t> pids{0};  // beside fds; the event descriptor has none
        std::vector<pid_t> asked;    // children without a descriptor
        std::vector<pid_t> fresh;
        for (;;) {
            if (poll(fds.data(), fds.size(), asked.empty() ? -1 : kAskEveryMs) < 0) {
                // The descriptors cannot be waited on for now: every child
                // is asked, a little later.
                if (errno != EINTR)
                    std::this_thread::sleep_for(std::chrono::milliseconds(kAskEveryMs));
                for (pollfd& f : fds) f.revents = POLLIN;
            }
            if (fds[0].revents & POLLIN) {
                std::uint64_t count;
                [[maybe_unused]] const ssize_t n = ::read(wake_, &count, sizeof count);
                {
                    std::lock_guard lock(mutex_);
                    fresh.swap(added_);
                }
                for (pid_t pid : fresh) {
                    const int fd = descriptorOf(pid);
                    if (fd >= 0) {
                        fds.push_back({fd, POLLIN, 0});
                        pids.push_back(pid);
                    } else {
                        asked.push_back(pid);
                    }
                }
                fresh.clear();
            }
            for (size_t i = 1; i < fds.size();) {
                if ((fds[i].revents & (POLLIN | POLLHUP | POLLERR | POLLNVAL)) &&
                    collected(pids[i])) {
                    ::close(fds[i].fd);
                    fds[i] = fds.back();
                    fds.pop_back();
                    pids[i] = pids.back();
                    pids.pop_back();
                    continue;
                }
                fds[i].revents = 0;
                ++i;
            }
            fds[0].revents = 0;
            asked.erase(std::remove_if(asked.begin(), asked.end(), collected), asked.end());
        }
    }

    static constexpr int kAskEveryMs = 250;

    int wake_ = -1;
    std::mutex mutex_;
    std::vector<pid_t> added_;
};

}  // namespace

std::optional<Plan> plan(const QString& line, int style, const QString& appDir,
                         const QProcessEnvironment& env, Failure* why) {
    auto failWith = [why](Failure f) -> std::optional<Plan> {
        if (why) *why = f;
        return std::nullopt;
    };
    if (why) *why = Failure::None;

    qsizetype i = 0;
    while (i < line.size() && isBlank(line[i])) ++i;
    QString name;
    if (i < line.size() && line[i] == u'"') {
        qsizetype close = line.indexOf(u'"', i + 1);
        if (close < 0) close = line.size();
        name = line.mid(i + 1, close - i - 1);
        i = close + 1;
    } else {
        qsizetype start = i;
        while (i < line.size() && !isBlank(line[i])) ++i;
        name = line.mid(start, i - start);
    }
    while (i < line.size() && isBlank(line[i])) ++i;
    QString rest = i < line.size() ? line.mid(i) : QString();

    Plan result;
    result.environment = env;
    ensureUtf8Locale(result.environment);

    // Every line the programs start begins with the interpreter.
    const std::string program = name.toStdString();
    if (QString::fromStdString(std::string(winrules::withoutExe(program)))
            .compare(u"cmd", Qt::CaseInsensitive) != 0)
        return failWith(Failure::NoProgram);
    QString beside = QDir(appDir).filePath(QStringLiteral("cmd"));
    result.program =
        !appDir.isEmpty() && winrules::isProgramFile(QFile::encodeName(beside).toStdString())
            ? beside
            : findProgram(QStringLiteral("cmd"), env);
    if (!rest.isEmpty()) result.arguments << rest;
    if (result.program.isEmpty()) return failWith(Failure::NoProgram);

    if (style == 0) {
        result.discardOutput = true;
        return result;
    }
    const bool iconic = style == 2 || style == 6 || style == 7;
    std::optional<Terminal> terminal = findTerminal(env);
    if (!terminal) {
        // A minimized console is one the user is not meant to watch (the
        // companion's detection and freeze lists run in them), so on a
        // desktop without a terminal program it runs hidden rather than not
        // at all. A normal console is there to be read: that one is refused.
        if (!iconic) return failWith(Failure::NoTerminal);
        result.discardOutput = true;
        return result;
    }
    QStringList args = terminal->options;
    if (isXterm(terminal->program)) {
        // xterm's default bitmap font has no Chinese glyphs.
        args << QStringLiteral("-fa") << QStringLiteral("Monospace");
        if (iconic) args << QStringLiteral("-iconic");
    }
    args << QStringLiteral("-e") << result.program << result.arguments;
    result.program = terminal->program;
    result.arguments = args;
    return result;
}

// posix_spawn rather than QProcess::startDetached: the latter forks the
// whole program twice for every line, which on a large window costs more
// than the interpreter's own start. The child gets a session of its own, as
// a detached process does, and the reaper collects its exit status so that
// no finished interpreter lingers. When the system has no process, memory or
// thread to spare, the line does not start, as a program that cannot be
// started: the caller gets 0, the program runs on.
qint64 start(const Plan& plan) {
    Reaper* reaper = Reaper::get();
    if (!reaper) return 0;
    std::vector<QByteArray> words{QFile::encodeName(plan.program)};
    for (const QString& a : plan.arguments) words.push_back(a.toLocal8Bit());
    std::vector<QByteArray> variables;
    for (const QString& v : plan.environment.toStringList()) variables.push_back(v.toLocal8Bit());
    auto pointers = [](std::vector<QByteArray>& from) {
        std::vector<char*> out;
        for (QByteArray& b : from) out.push_back(b.data());
        out.push_back(nullptr);
        return out;
    };
    std::vector<char*> argv = pointers(words);
    std::vector<char*> envp = pointers(variables);

    // A hidden interpreter must not wait on a keyboard it does not have:
    // with no input, "pause" returns at once.
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_addopen(&files, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    if (plan.discardOutput) {
        posix_spawn_file_actions_addopen(&files, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_adddup2(&files, STDOUT_FILENO, STDERR_FILENO);
    }
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t none;
    sigemptyset(&none);
    sigset_t defaults;
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGPIPE);
    sigaddset(&defaults, SIGCHLD);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setflags(&attributes,
                             POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

    pid_t pid = 0;
    const int failed = posix_spawnp(&pid, argv[0], &files, &attributes, argv.data(), envp.data());
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&files);
    if (failed) return 0;
    reaper->watch(pid);
    return pid;
}

double run(const QString& line, int style, const QString& appDir, const QProcessEnvironment& env) {
    Failure why = Failure::None;
    const auto planned = plan(line, style, appDir, env, &why);
    if (!planned) {
        // A missing interpreter or terminal is a fault of this computer's
        // set-up, not of the click: the user is told in our own words, and
        // the program runs on instead of ending with the runtime's error 53.
        MsgBox(failureMessage(why), vbExclamation);
        return 0;
    }
    return static_cast<double>(start(*planned));
}

QString failureMessage(Failure failure) {
    switch (failure) {
        case Failure::NoTerminal:
            return QStringLiteral(
                "未找到终端程序（xterm），无法打开命令行窗口。请安装 xterm，或用环境变量 TERMINAL "
                "指定终端程序。");
        case Failure::NoProgram:
            return QStringLiteral(
                "找不到要运行的程序（命令解释程序 cmd 应与本程序位于同一文件夹）。");
        case Failure::None:
            break;
    }
    return {};
}

}  // namespace rt::shellstart
