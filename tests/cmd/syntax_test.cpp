#include "cmd/syntax.h"

#include <gtest/gtest.h>

namespace {

using cmd::Invocation;

std::string tree(std::string_view line) {
    cmd::ParseResult r = cmd::parse(line);
    return r.tree ? cmd::describe(*r.tree) : "error: " + r.error;
}

TEST(CmdSyntax, BindsAsTheWindowsInterpreterDoes) {
    const std::pair<const char*, const char*> cases[] = {
        {"a && b || c & d", "((([a ] && [b ]) || [c ]) & [d])"},
        {"a | b && c", "(([a ] | [b ]) && [c])"},
        {"a || b && c", "([a ] || ([b ] && [c]))"},
        {"a & b | c || d", "([a ] & (([b ] | [c ]) || [d]))"},
        {"(a & b) > f && c", "({([a ] & [b])} 1>f && [c])"},
        {"echo \"a & b\" ^& c", "[echo \"a & b\" & c]"},
        {"pause>null", "[pause] 1>null"},
        {"echo x 2>&1 >out.txt", "[echo x  ] 2>&1 1>out.txt"},
        {">> \"my file\" echo", "[echo] 1>>my file"},
        {"findstr x < \"in put\"", "[findstr x ] 0<in put"},
        {"echo ab2>x", "[echo ab2] 1>x"},
        {"echo 2>x", "[echo ] 2>x"},
        {"echo ^2>x", "[echo 2] 1>x"},
        {"echo a)", "[echo a)]"},
        {"(echo a) b", "error: 此时不应有 b。\n"},
        {"a &&", "error: 此时不应有 &&。\n"},
        {"&& a", "error: 此时不应有 &&。\n"},
        {"a | | b", "error: 此时不应有 |。\n"},
        {"a >", "error: 命令语法不正确。\n"},
        {"a & ", "[a ]"},
        {"echo a\nrest is ignored", "[echo a]"},
    };
    for (const auto& [line, expected] : cases) EXPECT_EQ(tree(line), expected) << line;
}

// Nesting is read by recursion: a line of a hundred thousand brackets is
// refused instead of overflowing the stack; a deep but sane line still reads.
// Pipe stages all run at once, those of a bracketed stage's own pipe too: a
// line of more than a hundred at once is refused, however they are nested.
TEST(CmdSyntax, DeepGroupsAreRefusedNotACrash) {
    EXPECT_EQ(tree(std::string(100000, '(') + "echo"), "error: 命令语法不正确。\n");
    EXPECT_EQ(tree(std::string(50, '(') + "a" + std::string(50, ')')),
              std::string(50, '{') + "[a]" + std::string(50, '}'));
    std::string ten = "(a";
    for (int i = 1; i < 10; ++i) ten += "|a";
    ten += ")";
    std::string hundred = ten;
    for (int i = 1; i < 10; ++i) hundred += "|" + ten;
    EXPECT_NE(tree(hundred + "&" + hundred).substr(0, 6), "error:") << "one after the other";
    EXPECT_EQ(tree(hundred + "|" + ten), "error: 命令语法不正确。\n");
}

TEST(CmdSyntax, Invocation) {
    struct Case {
        const char* tail;
        Invocation::Mode mode;
        const char* line;
        bool echoOff = false;
    };
    const Case cases[] = {
        {"/c echo a", Invocation::Mode::RunAndExit, "echo a"},
        {"/K  \"", Invocation::Mode::RunAndStay, ""},
        {"/k  adb devices ", Invocation::Mode::RunAndStay, "adb devices "},
        {"/k,;=\techo", Invocation::Mode::RunAndStay, "echo"},
        {"/c\"echo \"a b\"\"", Invocation::Mode::RunAndExit, "echo \"a b\""},
        {"/q /d /c x", Invocation::Mode::RunAndExit, "x", true},
        {"/e:on /v:off /k x", Invocation::Mode::RunAndStay, "x"},
        {"", Invocation::Mode::Interactive, ""},
        {"/d", Invocation::Mode::Interactive, ""},
    };
    for (const Case& c : cases) {
        Invocation inv = cmd::parseInvocation(c.tail);
        EXPECT_EQ(inv.mode, c.mode) << c.tail;
        EXPECT_EQ(inv.line, c.line) << c.tail;
        EXPECT_EQ(inv.echoOff, c.echoOff) << c.tail;
    }
}

TEST(CmdSyntax, VariablesExpandOnlyWhenDefined) {
    auto lookup = [](std::string_view name) -> std::optional<std::string> {
        if (name == "A") return "1";
        if (name == "EMPTY") return "";
        return std::nullopt;
    };
    EXPECT_EQ(cmd::expandVariables("%A%-%B%-%%-%EMPTY%.", lookup), "1-%B%-%%-.");
    // An undefined name leaves its first '%' behind; the second may open a name.
    EXPECT_EQ(cmd::expandVariables("100% sure %A%", lookup), "100% sure 1");
}

}  // namespace
