// Numbers typed into text boxes, and the conversions of stored settings.
#include <gtest/gtest.h>

#include "runtime/convert.h"
#include "runtime/types.h"
#include "support/commalocale.h"

namespace {

struct NumberCase {
    const char* typed;
    double value;
    const char* text;
};

const NumberCase kCases[] = {
    {"0.75", 0.75, "0.75"},
    {"1e1", 10, "10"},
    {"-2", -2, "-2"},
    {"", 0, "0"},
    {"1 2", 12, "12"},
    {".5", 0.5, "0.5"},
    {"1,5", 1, "1"},
    {"abc", 0, "0"},
    {"1.0", 1, "1"},
    {"2.50", 2.5, "2.5"},
    {"&H1F", 31, "31"},
    {"&O17", 15, "15"},
    {"0.5x", 0.5, "0.5"},
    {"12abc", 12, "12"},
    {"1e20", 1e20, "1E+20"},
    {"123456789012345", 123456789012345.0, "123456789012345"},
    {"1234567890123456", 1234567890123456.0, "1.23456789012346E+15"},
    {"0.00001", 0.00001, "1E-05"},
    {" -\t3 .\n25", -3.25, "-3.25"},
    {"+7", 7, "7"},
    {"1D2", 100, "100"},
    {"1e", 1, "1"},
    {"-", 0, "0"},
    {"&HFFFF", -1, "-1"},
    {"&HFFFF&", 65535, "65535"},
    {"1/3", 1, "1"},
    {"0.1", 0.1, "0.1"},
    {"-0", 0, "0"},
};

void expectTable() {
    for (const auto& c : kCases) {
        const QString typed = QString::fromUtf8(c.typed);
        EXPECT_DOUBLE_EQ(rt::Val(typed), c.value) << c.typed;
        EXPECT_EQ(rt::numberText(rt::Val(typed)), QString::fromUtf8(c.text)) << c.typed;
        EXPECT_EQ(rt::CStr(rt::Val(typed)), QString::fromUtf8(c.text)) << c.typed;
    }
}

TEST(NumberFromText, ValThenShortestText) {
    expectTable();
}

// The user's desktop may write numbers with a decimal comma; the phone reads
// only a point.
TEST(NumberFromText, TheSameUnderACommaLocale) {
    testing_support::CommaLocale locale;
    REQUIRE_COMMA_LOCALE(locale);
    expectTable();
    EXPECT_DOUBLE_EQ(rt::Val(QStringLiteral("0,75")), 0);
    EXPECT_EQ(rt::CStr(static_cast<float>(0.25)), QStringLiteral("0.25"));
}

TEST(NumberFromText, HugeNumbersStayFinite) {
    EXPECT_EQ(rt::numberText(rt::Val(QStringLiteral("1e999"))),
              QStringLiteral("1.79769313486232E+308"));
    EXPECT_EQ(rt::numberText(rt::Val(QStringLiteral("-1e999"))),
              QStringLiteral("-1.79769313486232E+308"));
}

TEST(NumberFromText, WholeNumbersRoundHalfToEven) {
    EXPECT_EQ(rt::roundHalfEven(80.5), 80);
    EXPECT_EQ(rt::roundHalfEven(81.5), 82);
    EXPECT_EQ(rt::roundHalfEven(-2.5), -2);
    EXPECT_EQ(rt::roundHalfEven(80.51), 81);
}

TEST(Coercion, TextDefaultsAsTheRuntimeReadsThem) {
    EXPECT_EQ(rt::CLng(QStringLiteral("&H00FFFF80&")), 0x00FFFF80);
    EXPECT_EQ(rt::CLng(QStringLiteral("&H8080FF")), 0x8080FF);
    EXPECT_EQ(rt::CLng(QStringLiteral("&H8000000F")), static_cast<rt::Long>(0x8000000F));
    EXPECT_EQ(rt::CLng(QStringLiteral("8")), 8);
    EXPECT_EQ(rt::CInt(QStringLiteral("8")), 8);
    EXPECT_TRUE(rt::CBool(QStringLiteral("True")));
    EXPECT_FALSE(rt::CBool(QStringLiteral("false")));
    EXPECT_TRUE(rt::CBool(QStringLiteral("8")));
    EXPECT_EQ(rt::CLng(2.5), 2);
    EXPECT_EQ(rt::CStr(true), QStringLiteral("True"));
    EXPECT_EQ(rt::CStr(0.5), QStringLiteral("0.5"));
}

TEST(Coercion, BadTextAndOverflowAreRuntimeErrors) {
    try {
        rt::CLng(QStringLiteral("NShape1"));
        FAIL();
    } catch (const rt::RuntimeError& e) {
        EXPECT_EQ(e.number(), 13);
    }
    try {
        rt::CInt(40000);
        FAIL();
    } catch (const rt::RuntimeError& e) {
        EXPECT_EQ(e.number(), 6);
    }
}

}  // namespace
