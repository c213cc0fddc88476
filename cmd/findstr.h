#pragma once

// The findstr search tool, built in: search strings are regular expressions
// in findstr's small dialect unless /L or /C: makes them literal.

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace cmd::findstr {

struct Options {
    std::vector<std::string> strings;  // any one of them may match
    std::vector<std::string> files;    // none: standard input
    bool regex = true;
    bool ignoreCase = false;
    bool invert = false;     // /V
    bool numbers = false;    // /N
    bool namesOnly = false;  // /M
    bool atBegin = false;    // /B
    bool atEnd = false;      // /E
};

struct Parsed {
    Options options;
    std::string error;     // set: a bad command line, exit code 2
    std::string warnings;  // switches that were ignored
    bool help = false;
};

Parsed parseArguments(const std::vector<std::string>& args);

// One search string, ready to test lines against.
class Matcher {
public:
    Matcher(std::string_view pattern, const Options& options);
    bool matches(std::string_view line) const;

    // How often an element of the expression has been tried at a place in
    // the lines matched so far: never more than elements x (characters + 1)
    // per line, however the stars combine.
    std::uint64_t steps() const { return steps_; }

    struct Element {
        enum class Kind { Char, Any, Class, WordStart, WordEnd };
        Kind kind = Kind::Char;
        char32_t c = 0;
        std::vector<std::pair<char32_t, char32_t>> ranges;  // Class
        bool negated = false;                               // Class
        bool repeat = false;                                // followed by '*'
    };

private:
    bool single(const Element& element, char32_t c) const;
    bool holds(const Element& assertion, const std::u32string& line, size_t pos) const;
    bool search(const std::u32string& line) const;

    bool literal_;
    bool ignoreCase_;
    bool atBegin_, atEnd_;
    std::u32string text_;  // the literal form, folded when ignoring case
    std::vector<Element> elements_;
    mutable std::uint64_t steps_ = 0;
};

// Runs findstr on the given handles; returns its exit code.
int run(const std::vector<std::string>& args, int in, int out, int err);

}  // namespace cmd::findstr
