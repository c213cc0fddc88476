#include "cmd/interpreter.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <array>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "cmd/findstr.h"
#include "cmd/io.h"
#include "drivepath.h"

extern char** environ;

namespace cmd {
namespace {

volatile sig_atomic_t g_interrupted = 0;

void onInterrupt(int) {
    g_interrupted = 1;
}

constexpr std::string_view kNotRecognised =
    "' 不是内部或外部命令，也不是可运行的程序或批处理文件。\n";
constexpr std::string_view kNoPath = "系统找不到指定的路径。\n";
constexpr std::string_view kPausePrompt = "请按任意键继续. . . ";

std::string lowerAscii(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

bool iequals(std::string_view a, std::string_view b) {
    return lowerAscii(a) == lowerAscii(b);
}

std::string_view trimBlanks(std::string_view s) {
    while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
    return s;
}

// "/d" or "/b" at the front of a builtin's arguments.
bool takeSwitch(std::string_view& args, char letter) {
    if (args.size() >= 2 && args[0] == '/' &&
        std::tolower(static_cast<unsigned char>(args[1])) == letter &&
        (args.size() == 2 || isBlank(args[2]))) {
        args = trimBlanks(args.substr(2));
        return true;
    }
    return false;
}

std::string currentFolder() {
    std::vector<char> buffer(PATH_MAX);
    if (getcwd(buffer.data(), buffer.size())) return buffer.data();
    const char* pwd = std::getenv("PWD");
    return pwd ? pwd : "";
}

bool isDirectory(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// The folders of PATH, in order, empty entries left out.
std::vector<std::string> pathFolders() {
    std::vector<std::string> folders;
    const char* path = std::getenv("PATH");
    std::string_view rest = path ? path : "";
    while (!rest.empty()) {
        size_t colon = rest.find(':');
        std::string folder(rest.substr(0, colon));
        rest = colon == std::string_view::npos ? std::string_view() : rest.substr(colon + 1);
        if (!folder.empty()) folders.push_back(std::move(folder));
    }
    return folders;
}

std::string findInPath(const std::string& program) {
    for (const std::string& folder : pathFolders()) {
        std::string candidate = folder + "/" + program;
        struct stat st {};
        if (stat(candidate.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
            access(candidate.c_str(), X_OK) == 0)
            return candidate;
    }
    return {};
}

// The console is whichever of standard output and standard error is a
// terminal; colour and title changes go there, never into a file or pipe.
int consoleHandle() {
    if (isatty(1)) return 1;
    if (isatty(2)) return 2;
    return -1;
}

void resetChildSignals() {
    signal(SIGINT, SIG_DFL);
    signal(SIGPIPE, SIG_DFL);
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
}

[[noreturn]] void execProgram(const std::string& path, const std::vector<std::string>& args) {
    resetChildSignals();
    std::vector<char*> argv;
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    execv(path.c_str(), argv.data());
    if (errno == ENOEXEC) {
        // A script without "#!" line, run the way execvp would run it.
        std::vector<char*> shell{const_cast<char*>("/bin/sh"), const_cast<char*>(path.c_str())};
        shell.insert(shell.end(), argv.begin() + 1, argv.end());
        execv("/bin/sh", shell.data());
    }
    int error = errno;
    writeAll(2, (error == EACCES ? std::string("拒绝访问。") : std::string(std::strerror(error))) +
                    " (" + args.front() + ")\n");
    _exit(error == ENOENT ? 127 : 126);
}

int waitFor(pid_t pid) {
    int status = 0;
    while (waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) return 1;
    }
    if (WIFEXITED(status)) return WEXITSTATUS(status);
    if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
    return 1;
}

// The original hands documents to the shell and does not wait; likewise the
// opener is started in its own session and left to run.
int openDocument(const std::string& path) {
    std::string opener = findInPath("xdg-open");
    if (opener.empty()) {
        writeAll(2, "找不到用于打开文件的程序（xdg-open）。\n");
        return 1;
    }
    std::string absolute = path.front() == '/'      ? path
                           : path.starts_with("./") ? currentFolder() + path.substr(1)
                                                    : currentFolder() + "/" + path;
    pid_t pid = fork();
    if (pid < 0) {
        writeAll(2, "无法启动 xdg-open。\n");
        return 1;
    }
    if (pid == 0) {
        setsid();
        pid_t grandchild = fork();
        if (grandchild == 0) {
            int nul = open("/dev/null", O_RDONLY);
            if (nul >= 0) dup2(nul, 0);
            if (nul > 2) close(nul);
            execProgram(opener, {opener, absolute});
        }
        _exit(grandchild < 0 ? 1 : 0);
    }
    if (waitFor(pid) != 0) {
        writeAll(2, "无法启动 xdg-open。\n");
        return 1;
    }
    return 0;
}

// Handles 0..2 as they were before a command's redirections.
class SavedHandles {
public:
    explicit SavedHandles(bool active) : active_(active) {
        if (!active_) return;
        for (int h = 0; h < 3; ++h) saved_[h] = fcntl(h, F_DUPFD_CLOEXEC, 10);
    }
    ~SavedHandles() {
        if (!active_) return;
        for (int h = 0; h < 3; ++h) {
            if (saved_[h] >= 0) {
                dup2(saved_[h], h);
                close(saved_[h]);
            } else {
                close(h);
            }
        }
    }
    SavedHandles(const SavedHandles&) = delete;
    SavedHandles& operator=(const SavedHandles&) = delete;

private:
    bool active_;
    std::array<int, 3> saved_{-1, -1, -1};
};

// Handles 3..9 have no use here and are left alone.
bool applyRedirections(const std::vector<Redirection>& redirections) {
    for (const Redirection& r : redirections) {
        if (r.handle > 2) continue;
        if (r.kind == Redirection::Kind::Duplicate) {
            if (r.source > 2 || dup2(r.source, r.handle) < 0) {
                writeAll(2, "句柄无效。\n");
                return false;
            }
            continue;
        }
        std::string path;
        if (iequals(r.target, "nul")) {
            path = "/dev/null";
        } else {
            path = rt::mapDrivePath(r.target);
            if (rt::hasDriveLetter(r.target) && r.kind != Redirection::Kind::Read)
                rt::makeParentFolders(path);
        }
        int flags = r.kind == Redirection::Kind::Read     ? O_RDONLY
                    : r.kind == Redirection::Kind::Append ? O_WRONLY | O_CREAT | O_APPEND
                                                          : O_WRONLY | O_CREAT | O_TRUNC;
        int fd = open(path.c_str(), flags | O_CLOEXEC, 0666);
        if (fd < 0) {
            int error = errno;
            if (error == ENOENT)
                writeAll(2,
                         r.kind == Redirection::Kind::Read ? "系统找不到指定的文件。\n" : kNoPath);
            else if (error == EACCES || error == EPERM || error == EISDIR || error == EROFS)
                writeAll(2, "拒绝访问。\n");
            else
                writeAll(2, std::string(std::strerror(error)) + "\n");
            return false;
        }
        if (fd == r.handle) {
            fcntl(fd, F_SETFD, 0);
        } else {
            dup2(fd, r.handle);
            close(fd);
        }
    }
    return true;
}

struct Builtin {
    std::string name;
    std::string args;
};

// Internal commands are recognised even when glued to some punctuation, as
// in "echo.", "cd.." or "exit/b".
std::optional<Builtin> findBuiltin(const CommandWord& word) {
    struct Entry {
        std::string_view name;
        std::string_view glue;
    };
    static constexpr std::array<Entry, 10> kBuiltins{{{"echo", ".:/\\(+[]"},
                                                      {"color", "/"},
                                                      {"title", "/"},
                                                      {"pause", "/"},
                                                      {"exit", "/"},
                                                      {"cls", "/"},
                                                      {"cd", "./\\"},
                                                      {"chdir", "./\\"},
                                                      {"findstr", "/"},
                                                      {"rem", "/"}}};
    std::string raw = lowerAscii(word.rawName);
    if (raw == "findstr.exe") return Builtin{"findstr", word.rest};
    for (const Entry& e : kBuiltins) {
        if (raw == e.name) return Builtin{std::string(e.name), word.rest};
        if (raw.size() > e.name.size() && raw.starts_with(e.name) &&
            e.glue.find(raw[e.name.size()]) != std::string_view::npos)
            return Builtin{std::string(e.name), word.rawName.substr(e.name.size()) + word.rest};
    }
    return std::nullopt;
}

// The console's sixteen colours as the terminal's colour values, in the
// console's own order (blue before red).
constexpr std::array<const char*, 16> kPalette{{
    "00/00/00",
    "00/00/80",
    "00/80/00",
    "00/80/80",
    "80/00/00",
    "80/00/80",
    "80/80/00",
    "c0/c0/c0",
    "80/80/80",
    "00/00/ff",
    "00/ff/00",
    "00/ff/ff",
    "ff/00/00",
    "ff/00/ff",
    "ff/ff/00",
    "ff/ff/ff",
}};

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

enum class LineRead { Line, End, Interrupted };

// Byte by byte, so that nothing meant for a later program or for pause is
// swallowed into a buffer here.
LineRead readLine(std::string& line) {
    line.clear();
    for (;;) {
        char c = 0;
        ssize_t n = read(0, &c, 1);
        if (n < 0) {
            if (errno == EINTR) {
                if (g_interrupted) return LineRead::Interrupted;
                continue;
            }
            return LineRead::End;
        }
        if (n == 0) return LineRead::End;
        if (c == '\n') {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            return LineRead::Line;
        }
        line += c;
    }
}

// Shows the prompt, then takes one key: on a terminal whatever one keystroke
// sends, otherwise one character. False when interrupted. The terminal goes
// raw before the prompt appears, so that a key pressed at once is not echoed.
bool promptForKey(std::string_view prompt) {
    auto readSome = [](void* buffer, size_t size) {
        for (;;) {
            ssize_t n = read(0, buffer, size);
            if (n >= 0 || errno != EINTR) return n;
            if (g_interrupted) return ssize_t{-1};
        }
    };
    termios saved{};
    if (tcgetattr(0, &saved) == 0) {
        termios raw = saved;
        raw.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO);
        raw.c_cc[VMIN] = 1;
        raw.c_cc[VTIME] = 0;
        tcsetattr(0, TCSANOW, &raw);
        writeAll(1, prompt);
        char key[16];
        ssize_t n = readSome(key, sizeof key);
        tcsetattr(0, TCSANOW, &saved);
        return n >= 0 || !g_interrupted;
    }
    writeAll(1, prompt);
    unsigned char first = 0;
    ssize_t n = readSome(&first, 1);
    if (n == 1 && first >= 0xC0) {
        size_t more = first >= 0xF0 ? 3 : first >= 0xE0 ? 2 : 1;
        unsigned char tail[3];
        readSome(tail, more);
    }
    return n >= 0 || !g_interrupted;
}

}  // namespace

Resolution resolveCommand(const std::string& name) {
    std::string mapped = rt::mapDrivePath(name);
    if (mapped.empty()) return {};
    size_t slash = mapped.rfind('/');
    std::string leaf = slash == std::string::npos ? mapped : mapped.substr(slash + 1);
    size_t dot = leaf.rfind('.');
    bool hasExe = leaf.size() > 4 && iequals(leaf.substr(leaf.size() - 4), ".exe");
    bool document = dot != std::string::npos && dot > 0 && dot + 1 < leaf.size() && !hasExe;

    auto check = [document](const std::string& path, bool exact) -> std::optional<Resolution> {
        struct stat st {};
        if (stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
        if (access(path.c_str(), X_OK) == 0) return Resolution{Resolution::Kind::Program, path};
        if (exact && document) return Resolution{Resolution::Kind::Document, path};
        return std::nullopt;
    };
    auto lookIn = [&](const std::string& folder) -> std::optional<Resolution> {
        std::string base = folder.empty() ? mapped : folder + "/" + mapped;
        if (auto hit = check(base, true)) return hit;
        if (hasExe) return check(base.substr(0, base.size() - 4), false);
        return std::nullopt;
    };

    if (slash != std::string::npos) {
        std::string folder = slash == 0 ? std::string("/") : mapped.substr(0, slash);
        if (!isDirectory(folder)) return {Resolution::Kind::NoFolder, {}};
        if (auto hit = lookIn("")) return *hit;
        return {};
    }
    if (auto hit = lookIn(".")) return *hit;
    for (const std::string& folder : pathFolders())
        if (auto hit = lookIn(folder)) return *hit;
    return {};
}

int processExitCode(int errorlevel) {
    if (errorlevel >= 0 && errorlevel <= 255) return errorlevel;
    int low = errorlevel & 0xFF;
    return low != 0 ? low : 255;
}

void installSignalHandlers() {
    struct sigaction action {};
    action.sa_handler = onInterrupt;
    sigemptyset(&action.sa_mask);
    action.sa_flags = 0;  // no SA_RESTART: a read at the prompt must return
    sigaction(SIGINT, &action, nullptr);
    signal(SIGPIPE, SIG_IGN);
}

void Interpreter::interrupt() {
    g_interrupted = 1;
}

Interpreter::Interpreter() = default;

bool Interpreter::stopping() const {
    return exitRequested_ || g_interrupted;
}

std::optional<std::string> Interpreter::variable(std::string_view name) const {
    std::string key(name);
    if (const char* value = std::getenv(key.c_str())) return std::string(value);
    for (char** entry = environ; entry && *entry; ++entry) {
        std::string_view e(*entry);
        size_t eq = e.find('=');
        if (eq != std::string_view::npos && iequals(e.substr(0, eq), name))
            return std::string(e.substr(eq + 1));
    }
    if (iequals(name, "ERRORLEVEL")) return std::to_string(errorlevel_);
    if (iequals(name, "CD")) return currentFolder();
    return std::nullopt;
}

std::string Interpreter::prompt() const {
    return currentFolder() + ">";
}

int Interpreter::runLine(std::string_view line, bool lastThing) {
    g_interrupted = 0;
    std::string expanded =
        expandVariables(line, [this](std::string_view name) { return variable(name); });
    ParseResult parsed = parse(expanded);
    if (!parsed.error.empty()) {
        writeAll(2, parsed.error);
        return errorlevel_ = parsed.errorCode;
    }
    if (!parsed.tree) return errorlevel_;
    return errorlevel_ = execute(*parsed.tree, lastThing);
}

int Interpreter::execute(const Node& node, bool mayReplaceProcess) {
    switch (node.kind) {
        case Node::Kind::Command:
            return errorlevel_ = runCommand(node, mayReplaceProcess);
        case Node::Kind::Group: {
            SavedHandles saved(!node.redirections.empty());
            if (!applyRedirections(node.redirections)) return errorlevel_ = 1;
            return node.body ? execute(*node.body, mayReplaceProcess) : 0;
        }
        case Node::Kind::Pipe:
            return errorlevel_ = runPipeline(node);
        case Node::Kind::And:
        case Node::Kind::Or:
        case Node::Kind::Sequence:
            break;
    }
    // "a && b && c" stops at the first failure, "a || b || c" at the first
    // success, "a & b & c" only when told to stop. Only the last operand
    // may take the interpreter's place: nothing of this node runs after it.
    int code = 0;
    for (size_t i = 0; i < node.operands.size(); ++i) {
        if (i > 0) {
            if (stopping()) break;
            if (node.kind == Node::Kind::And && code != 0) break;
            if (node.kind == Node::Kind::Or && code == 0) break;
        }
        bool last = i + 1 == node.operands.size();
        code = execute(*node.operands[i], last && mayReplaceProcess);
    }
    return code;
}

// Every stage runs in a child of its own, builtins included, as each side of
// a pipe gets an interpreter of its own in the original.
int Interpreter::runPipeline(const Node& node) {
    const std::vector<std::unique_ptr<Node>>& stages = node.operands;
    std::vector<pid_t> children;
    int input = -1;
    bool broken = false;
    for (size_t i = 0; i < stages.size(); ++i) {
        bool last = i + 1 == stages.size();
        int fds[2] = {-1, -1};
        if (!last && pipe2(fds, O_CLOEXEC) != 0) {
            broken = true;
            break;
        }
        pid_t pid = fork();
        if (pid == 0) {
            if (input >= 0) {
                dup2(input, 0);
                close(input);
            }
            if (!last) {
                dup2(fds[1], 1);
                close(fds[1]);
                close(fds[0]);
            }
            int code = execute(*stages[i], true);
            _exit(processExitCode(code));
        }
        if (input >= 0) close(input);
        input = -1;
        if (!last) {
            close(fds[1]);
            input = fds[0];
        }
        if (pid < 0) {
            if (input >= 0) close(input);
            input = -1;
            broken = true;
            break;
        }
        children.push_back(pid);
    }
    if (input >= 0) close(input);
    int code = 0;
    for (size_t i = 0; i < children.size(); ++i) {
        int c = waitFor(children[i]);
        if (i + 1 == stages.size()) code = c;
    }
    if (broken) {
        writeAll(2, "无法创建管道。\n");
        return 1;
    }
    return code;
}

int Interpreter::runCommand(const Node& node, bool mayReplaceProcess) {
    SavedHandles saved(!node.redirections.empty());
    if (!applyRedirections(node.redirections)) return 1;
    CommandWord word = splitCommandWord(node.text);
    if (word.rawName.empty()) return 0;
    if (std::optional<Builtin> builtin = findBuiltin(word))
        return runBuiltin(builtin->name, builtin->args);
    return runExternal(word, mayReplaceProcess);
}

int Interpreter::runBuiltin(std::string_view name, std::string_view args) {
    if (name == "echo") return echo(args);
    if (name == "color") return color(args);
    if (name == "title") return title(args);
    if (name == "pause") return pause();
    if (name == "exit") return exitCommand(args);
    if (name == "cls") return cls();
    if (name == "cd" || name == "chdir") return changeFolder(args);
    if (name == "findstr") return findstr::run(splitArguments(args), 0, 1, 2);
    return 0;  // rem
}

int Interpreter::runExternal(const CommandWord& word, bool mayReplaceProcess) {
    Resolution found;
    if (!word.name.empty()) found = resolveCommand(word.name);
    switch (found.kind) {
        case Resolution::Kind::NotFound:
            writeAll(2, "'" + word.rawName + std::string(kNotRecognised));
            return 9009;
        case Resolution::Kind::NoFolder:
            writeAll(2, kNoPath);
            return 3;
        case Resolution::Kind::Document:
            return openDocument(found.path);
        case Resolution::Kind::Program:
            break;
    }
    std::vector<std::string> args{word.name};
    for (std::string& a : splitArguments(word.rest)) args.push_back(std::move(a));
    if (found.path.find('/') == std::string::npos) found.path = "./" + found.path;
    if (mayReplaceProcess) execProgram(found.path, args);
    pid_t pid = fork();
    if (pid < 0) {
        writeAll(2, "无法启动 " + word.name + "。\n");
        return 1;
    }
    if (pid == 0) execProgram(found.path, args);
    return waitFor(pid);
}

// "echo" drops the one character that separates it from its text and prints
// the rest as written, blanks included.
int Interpreter::echo(std::string_view args) {
    auto status = [this] {
        return writeAll(1, echo_ ? "ECHO 处于打开状态。\n" : "ECHO 处于关闭状态。\n")
                   ? 0
                   : writeFailure(1);
    };
    if (args.empty()) return status();
    char separator = args.front();
    std::string_view text = args.substr(1);
    if (isBlank(separator)) {
        std::string_view word = trimBlanks(text);
        if (word.empty()) return status();
        if (iequals(word, "on") || iequals(word, "off")) {
            echo_ = iequals(word, "on");
            return 0;
        }
    }
    return writeAll(1, std::string(text) + "\n") ? 0 : writeFailure(1);
}

int Interpreter::color(std::string_view args) {
    std::string_view value = trimBlanks(args);
    int console = consoleHandle();
    if (value.empty()) {
        if (console >= 0) writeAll(console, "\033[0m\033]110\007\033]111\007");
        return 0;
    }
    if (value.size() > 2) return 1;
    int background = value.size() == 2 ? hexDigit(value[0]) : 0;
    int foreground = hexDigit(value.back());
    if (background < 0 || foreground < 0 || background == foreground) return 1;
    const char* fg = kPalette[static_cast<size_t>(foreground)];
    const char* bg = kPalette[static_cast<size_t>(background)];
    // The dynamic default colours recolour the whole window, what is already
    // on screen included; text then goes back to those defaults, so that
    // every cell shows the same pair (a palette colour of the terminal would
    // be another shade of the same name).
    if (console >= 0)
        writeAll(console,
                 std::string("\033]11;rgb:") + bg + "\007\033]10;rgb:" + fg + "\007\033[39;49m");
    return 0;
}

int Interpreter::title(std::string_view args) {
    std::string text;
    for (char c : trimBlanks(args))
        if (static_cast<unsigned char>(c) >= 0x20 && c != 0x7f) text += c;  // no escape injection
    if (int console = consoleHandle(); console >= 0) writeAll(console, "\033]0;" + text + "\007");
    return 0;
}

int Interpreter::pause() {
    bool keyed = promptForKey(kPausePrompt);
    writeAll(1, "\n");
    return keyed ? 0 : 1;
}

int Interpreter::exitCommand(std::string_view args) {
    std::string_view value = trimBlanks(args);
    takeSwitch(value, 'b');
    int code = errorlevel_;
    if (!value.empty()) {
        std::string number(value);
        char* end = nullptr;
        errno = 0;
        long parsed = std::strtol(number.c_str(), &end, 10);
        if (end != number.c_str() && errno == 0 && parsed >= INT_MIN && parsed <= INT_MAX)
            code = static_cast<int>(parsed);
    }
    exitRequested_ = true;
    exitCode_ = code;
    return code;
}

int Interpreter::cls() {
    // Redirected, the original writes a form feed.
    return writeAll(1, isatty(1) ? "\033[H\033[2J\033[3J" : "\f") ? 0 : writeFailure(1);
}

int Interpreter::changeFolder(std::string_view args) {
    std::string_view value = trimBlanks(args);
    takeSwitch(value, 'd');
    if (value.empty()) return writeAll(1, currentFolder() + "\n") ? 0 : writeFailure(1);
    std::string target;
    for (char c : value)
        if (c != '"') target += c;
    target = std::string(trimBlanks(target));
    std::string mapped = rt::mapDrivePath(target);
    if (mapped.empty() || chdir(mapped.c_str()) != 0) {
        writeAll(2, kNoPath);
        return 1;
    }
    setenv("PWD", currentFolder().c_str(), 1);
    return 0;
}

int Interpreter::interactive(bool afterCommand) {
    bool terminal = isatty(0);
    if (afterCommand && echo_) writeAll(1, "\n");
    for (;;) {
        g_interrupted = 0;
        if (echo_) writeAll(1, prompt());
        std::string line;
        LineRead got = readLine(line);
        if (got == LineRead::Interrupted) {
            writeAll(1, "\n");
            continue;
        }
        if (got == LineRead::End && line.empty()) {
            if (echo_) writeAll(1, "\n");
            break;
        }
        // Lines that come from a file or pipe are shown after the prompt, as
        // if typed.
        if (!terminal && echo_) writeAll(1, line + "\n");
        if (!trimBlanks(line).empty()) {
            runLine(line);
            if (exitRequested_) break;
            if (echo_) writeAll(1, "\n");
        }
        if (got == LineRead::End) break;
    }
    return exitCode();
}

}  // namespace cmd
