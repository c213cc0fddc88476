#pragma once

// What the running of lines (interpreter.cpp) and the builtins
// (builtins.cpp) share.

#include <signal.h>

#include <cctype>
#include <optional>
#include <string>
#include <string_view>

#include "cmd/syntax.h"

namespace cmd {

// Set from the SIGINT handler: stops what is left of the current line.
extern volatile sig_atomic_t g_interrupted;

inline constexpr std::string_view kNoPath = "系统找不到指定的路径。\n";

inline std::string lowerAscii(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

inline bool iequals(std::string_view a, std::string_view b) {
    return lowerAscii(a) == lowerAscii(b);
}

inline std::string_view trimBlanks(std::string_view s) {
    while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
    return s;
}

std::string currentFolder();

struct Builtin {
    std::string name;
    std::string args;
};

// The internal command a command word names, with its arguments.
std::optional<Builtin> findBuiltin(const CommandWord& word);

}  // namespace cmd
