#include "cmd/findstr.h"

#include <gtest/gtest.h>

namespace {

using cmd::findstr::Matcher;
using cmd::findstr::Options;

TEST(CmdFindstr, CommandLine) {
    auto parsed = cmd::findstr::parseArguments({"/I", "/C:a b", "f1", "f2"});
    EXPECT_EQ(parsed.options.strings, (std::vector<std::string>{"a b"}));
    EXPECT_EQ(parsed.options.files, (std::vector<std::string>{"f1", "f2"}));
    EXPECT_TRUE(parsed.options.ignoreCase);
    EXPECT_FALSE(parsed.options.regex);

    parsed = cmd::findstr::parseArguments({"/iv", "x  y"});
    EXPECT_EQ(parsed.options.strings, (std::vector<std::string>{"x", "y"}));
    EXPECT_TRUE(parsed.options.invert && parsed.options.ignoreCase && parsed.options.regex);

    EXPECT_TRUE(cmd::findstr::parseArguments({"/R", "/C:a.c"}).options.regex);
    EXPECT_EQ(cmd::findstr::parseArguments({"/Q", "x"}).warnings, "FINDSTR: 忽略 /Q\n");
    EXPECT_FALSE(cmd::findstr::parseArguments({"/S", "x"}).error.empty());
    EXPECT_FALSE(cmd::findstr::parseArguments({}).error.empty());
    EXPECT_FALSE(cmd::findstr::parseArguments({""}).error.empty()) << "an empty search string";
}

TEST(CmdFindstr, RegularExpressions) {
    struct Case {
        const char* pattern;
        const char* line;
        bool match;
        bool ignoreCase = false;
    };
    const Case cases[] = {
        {"^.$", "刷", true},  // a dot is one character, not one byte
        {"^..$", "刷", false},
        {"\\<Cur", "a Current", true},
        {"\\<Cur", "mCurrent", false},
        {"rent\\>", "Current x", true},
        {"a*b", "b", true},
        {"^a*ab$", "aaab", true},  // the star gives back what the rest needs
        {"[^0-9]", "123", false},
        {"[a-c]x", "Bx", true, true},
        {"x\\$", "x$", true},
        {"x$", "x$", false},
        {"^*", "*a", true},  // a star with nothing before it is a star
        {"a[b", "a[b", true},
        {"current", "Current", false},
        {"current", "Current", true, true},
        {"^$", "", true},
    };
    for (const Case& c : cases) {
        Options o;
        o.ignoreCase = c.ignoreCase;
        EXPECT_EQ(Matcher(c.pattern, o).matches(c.line), c.match) << c.pattern << " on " << c.line;
    }
}

}  // namespace
