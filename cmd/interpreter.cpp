#include "cmd/interpreter.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "cmd/internal.h"
#include "cmd/io.h"
#include "winrules/arguments.h"
#include "winrules/document.h"
#include "winrules/drivepath.h"
#include "winrules/exec.h"
#include "winrules/exitcode.h"
#include "winrules/lookup.h"

extern char** environ;

namespace cmd {

volatile sig_atomic_t g_interrupted = 0;

namespace {

void onInterrupt(int) {
    g_interrupted = 1;
}

constexpr std::string_view kNotRecognised =
    "' 不是内部或外部命令，也不是可运行的程序或批处理文件。\n";

// The Windows interpreter hands documents to the shell and does not wait;
// likewise the opener is started in its own session and left to run.
int openDocument(const std::string& path) {
    std::string absolute = path.front() == '/'      ? path
                           : path.starts_with("./") ? currentFolder() + path.substr(1)
                                                    : currentFolder() + "/" + path;
    switch (winrules::openDocument(absolute)) {
        case winrules::DocumentStart::Started:
            return 0;
        case winrules::DocumentStart::NoOpener:
            writeAll(2, "找不到用于打开文件的程序（xdg-open）。\n");
            return 1;
        case winrules::DocumentStart::Failed:
            break;
    }
    writeAll(2, "无法启动 xdg-open。\n");
    return 1;
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
            path = winrules::mapDrivePath(r.target);
            if (winrules::hasDriveLetter(r.target) && r.kind != Redirection::Kind::Read)
                winrules::makeParentFolders(path);
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

}  // namespace

std::string currentFolder() {
    std::vector<char> buffer(PATH_MAX);
    if (getcwd(buffer.data(), buffer.size())) return buffer.data();
    const char* pwd = std::getenv("PWD");
    return pwd ? pwd : "";
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
// a pipe gets an interpreter of its own in the Windows interpreter.
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
            _exit(winrules::processExitCode(code));
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
        int c = winrules::waitFor(children[i]);
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

int Interpreter::runExternal(const CommandWord& word, bool mayReplaceProcess) {
    using winrules::Resolution;
    Resolution found;
    if (!word.name.empty()) found = winrules::resolveCommand(word.name);
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
    for (std::string& a : winrules::splitArguments(word.rest)) args.push_back(std::move(a));
    if (found.path.find('/') == std::string::npos) found.path = "./" + found.path;
    const winrules::Exec program(found.path, std::move(args));
    if (mayReplaceProcess) program.run();
    pid_t pid = fork();
    if (pid < 0) {
        writeAll(2, "无法启动 " + word.name + "。\n");
        return 1;
    }
    if (pid == 0) program.run();
    return winrules::waitFor(pid);
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
