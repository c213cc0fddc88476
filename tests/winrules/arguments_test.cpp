#include "winrules/arguments.h"

#include <gtest/gtest.h>

namespace {

TEST(Arguments, SplitAsTheWindowsCRuntimeSplitsThem) {
    const std::pair<const char*, std::vector<std::string>> cases[] = {
        {R"(a "b c" d)", {"a", "b c", "d"}},
        {R"(a\\\"b)", {R"(a\"b)"}},
        {R"(a\\"b c")", {R"(a\b c)"}},
        {R"("a""b" c)", {R"(a"b)", "c"}},
        {R"(C:\dir\file x)", {R"(C:\dir\file)", "x"}},
        {R"("" x)", {"", "x"}},
        {"a\t b  ", {"a", "b"}},
        {"   ", {}},
        {R"("unclosed tail)", {"unclosed tail"}},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(winrules::splitArguments(text), expected) << text;
}

}  // namespace
