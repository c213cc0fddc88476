// The internal commands: echo, color, title, pause, exit, cls, cd (chdir),
// findstr and rem.

#include <termios.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <climits>
#include <cstdlib>

#include "cmd/findstr.h"
#include "cmd/internal.h"
#include "cmd/interpreter.h"
#include "cmd/io.h"
#include "winrules/arguments.h"
#include "winrules/drivepath.h"

namespace cmd {
namespace {

constexpr std::string_view kPausePrompt = "请按任意键继续. . . ";

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

// The console is whichever of standard output and standard error is a
// terminal; colour and title changes go there, never into a file or pipe.
int consoleHandle() {
    if (isatty(1)) return 1;
    if (isatty(2)) return 2;
    return -1;
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

int Interpreter::runBuiltin(std::string_view name, std::string_view args) {
    if (name == "echo") return echo(args);
    if (name == "color") return color(args);
    if (name == "title") return title(args);
    if (name == "pause") return pause();
    if (name == "exit") return exitCommand(args);
    if (name == "cls") return cls();
    if (name == "cd" || name == "chdir") return changeFolder(args);
    if (name == "findstr") return findstr::run(winrules::splitArguments(args), 0, 1, 2);
    return 0;  // rem
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
    // Redirected, the Windows interpreter writes a form feed.
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
    std::string mapped = winrules::mapDrivePath(target);
    if (mapped.empty() || chdir(mapped.c_str()) != 0) {
        writeAll(2, kNoPath);
        return 1;
    }
    setenv("PWD", currentFolder().c_str(), 1);
    return 0;
}

}  // namespace cmd
