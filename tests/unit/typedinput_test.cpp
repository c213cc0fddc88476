#include "common/typedinput.h"

#include <gtest/gtest.h>

namespace {

TEST(TypedText, OperatorsOutsideQuotesAreEscapedAndTheRestStaysAsTyped) {
    const struct {
        const char16_t* typed;
        const char16_t* line;
    } table[] = {
        {u"", u""},
        {u"com.example.app", u"com.example.app"},
        {u"--user 0 com.example.app", u"--user 0 com.example.app"},
        {u"  two  blanks ", u"  two  blanks "},
        {u"com.a&b", u"com.a^&b"},
        {u"a&b|c>d", u"a^&b^|c^>d"},
        {u"<in >>out ^x (y)", u"^<in ^>^>out ^^x ^(y^)"},
        {u"a&&b||c", u"a^&^&b^|^|c"},
        // Between double quotes the interpreter takes them as text already.
        {u"\"x&y\"", u"\"x&y\""},
        {u"\"a|b\" c&d \"e>f", u"\"a|b\" c^&d \"e>f"},
        {u"输入&文字", u"输入^&文字"},
        // A "%" that a later one could close starts a name no variable has;
        // the interpreter takes the "^" off again, and between quotes the
        // quote closes around the "%".
        {u"%E2E%", u"%^E2E%"},
        {u"\"%E2E% x\"", u"\"\"%\"E2E% x\""},
        {u"%s;50%", u"%^s;50%"},
        {u"%Q%&y", u"%^Q%^&y"},
        {u"%&x%", u"%^&x%"},
        {u"%%x%\"%\"y%", u"%%^x%\"%\"y%"},
        {u"\"a\\%b%\"", u"\"a\\\\\"%\"b%\""},
        {u"%s 50% %", u"%^s 50%^ %"},
        {u"50%", u"50%"},
        // The interpreter would end the line at a break.
        {u"line1\nline2 more", u"line1 line2 more"},
        {u"a\r\nb\rc\n\n", u"a b c  "},
    };
    for (const auto& row : table)
        EXPECT_EQ(common::typedText(QString::fromUtf16(row.typed)), QString::fromUtf16(row.line))
            << QString::fromUtf16(row.typed).toStdString();
}

TEST(QuotedPath, PathsGoBetweenQuotesWithTrailingBackslashesDoubled) {
    EXPECT_EQ(common::quotedPath(QStringLiteral("/home/u/a b/x&y.apk")),
              QStringLiteral("\"/home/u/a b/x&y.apk\""));
    EXPECT_EQ(common::quotedPath(QStringLiteral("/tmp/dir\\")), QStringLiteral("\"/tmp/dir\\\\\""));
    EXPECT_EQ(common::quotedPath(QStringLiteral("a\\\\")), QStringLiteral("\"a\\\\\\\\\""));
    EXPECT_EQ(common::quotedPath(QStringLiteral("a\\b.img")), QStringLiteral("\"a\\b.img\""));
    EXPECT_EQ(common::quotedPath(QStringLiteral("/文件/刷机 包.img")),
              QStringLiteral("\"/文件/刷机 包.img\""));
}

TEST(QuotedPath, PathsThatCannotBeCarriedAreRefused) {
    for (const char* p :
         {"/tmp/a\"b.apk", "/tmp/50%.apk", "/tmp/%PATH%.apk", "/tmp/a\nb.apk", "/tmp/a\rb.apk"})
        EXPECT_FALSE(common::quotedPath(QString::fromLatin1(p))) << p;
}

}  // namespace
