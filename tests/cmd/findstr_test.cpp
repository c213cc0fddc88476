#include "cmd/findstr.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/mman.h>
#include <unistd.h>

#include <csignal>

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

// Lines on which trying each split of the stars in turn took minutes: all
// ways are followed at once, so the work grows with the line, not with a
// power of it, and the answers are those of the backtracking it replaced.
TEST(CmdFindstr, StarsCostTimeInProportionToTheLine) {
    std::string ab;
    for (int i = 0; i < 1000; ++i) ab += "ab";
    const std::string xs(300, 'x');
    const std::pair<const char*, std::string> lines[] = {
        {".*a.*b.*z", ab}, {".*a.*b.*z", ab + "z"}, {"x*x*x*x*y", xs}, {"x*x*x*x*y", xs + "y"}};
    for (const auto& [pattern, line] : lines) {
        Matcher m(pattern, Options{});
        EXPECT_EQ(m.matches(line), line.back() == 'z' || line.back() == 'y') << pattern;
        EXPECT_LE(m.steps(), std::string_view(pattern).size() * (line.size() + 1)) << pattern;
        EXPECT_GE(m.steps(), line.size()) << pattern;
    }
}

// The interpreter ignores SIGPIPE, so nothing ends a filter whose reader has
// gone but the filter itself: it must stop at the failed write, not read its
// (perhaps endless) input to the end.
TEST(CmdFindstr, StopsWhenTheReaderOfItsOutputHasGone) {
    std::signal(SIGPIPE, SIG_IGN);
    int input = memfd_create("lines", MFD_CLOEXEC);
    ASSERT_GE(input, 0);
    std::string text;
    for (int i = 0; i < 100000; ++i) text += "line " + std::to_string(i) + "\n";
    ASSERT_EQ(write(input, text.data(), text.size()), static_cast<ssize_t>(text.size()));
    lseek(input, 0, SEEK_SET);
    int output[2];
    ASSERT_EQ(pipe2(output, O_CLOEXEC), 0);
    close(output[0]);
    int errors = open("/dev/null", O_WRONLY | O_CLOEXEC);
    EXPECT_EQ(cmd::findstr::run({"/v", "Z"}, input, output[1], errors), 128 + SIGPIPE);
    EXPECT_LT(lseek(input, 0, SEEK_CUR), 100000) << "it read on";
    for (int fd : {input, output[1], errors}) close(fd);
}

}  // namespace
