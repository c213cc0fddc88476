#pragma once

// Reading of command lines the way the Windows command interpreter reads them:
// the /c and /k switches, the outer-quote rule, %VARIABLE% expansion and the
// operator grammar. How a program then splits its arguments is
// winrules/arguments.h.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cmd {

struct Invocation {
    enum class Mode { Interactive, RunAndExit, RunAndStay };
    Mode mode = Mode::Interactive;
    std::string line;  // after the quote rule
    bool echoOff = false;
};

// `tail` is everything after the program name; several argv elements are
// joined with single blanks before they get here.
Invocation parseInvocation(std::string_view tail);

// A line that begins with a double quote loses it and the last quote.
std::string stripOuterQuotes(std::string_view line);

using VariableLookup = std::function<std::optional<std::string>(std::string_view name)>;

// %NAME% becomes the value; names that are not defined stay as written, as at
// the interactive prompt of the Windows interpreter.
std::string expandVariables(std::string_view line, const VariableLookup& lookup);

struct Redirection {
    enum class Kind { Read, Write, Append, Duplicate };
    int handle = 1;
    Kind kind = Kind::Write;
    std::string target;  // file name, quotes removed
    int source = -1;     // for Duplicate: the handle copied onto `handle`
};

// A run of one operator ("a && b && c") is one node with its operands in
// order, not a chain of pairs: a line of any length gives a tree no deeper
// than its nesting of brackets and operator kinds, so neither running nor
// freeing it recurses once per operator.
struct Node {
    enum class Kind { Command, Group, Pipe, And, Or, Sequence };
    Kind kind = Kind::Command;
    std::string text;                       // Command: carets and redirections gone, quotes kept
    std::vector<Redirection> redirections;  // Command and Group
    std::vector<std::unique_ptr<Node>> operands;  // the operators: two or more, left to right
    std::unique_ptr<Node> body;                   // Group; null for "()"
};

struct ParseResult {
    std::unique_ptr<Node> tree;  // null for a blank line or an error
    std::string error;           // message for standard error
    int errorCode = 0;
};

ParseResult parse(std::string_view line);

// Bracketed rendering for tests and diagnostics: "((a && b) | c)"; a run of
// one operator reads as pairs from the left, as it binds: "((a & b) & c)".
std::string describe(const Node& node);

// The command word of a command text and what follows it.
struct CommandWord {
    std::string name;     // quotes removed
    std::string rawName;  // as written
    std::string rest;     // everything after the word, separator included
};

CommandWord splitCommandWord(std::string_view text);

bool isBlank(char c);

}  // namespace cmd
