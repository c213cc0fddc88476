// Stored settings: keys in any case, typed defaults given as text, and writes
// that leave out values equal to their default.
#include "runtime/propertybag.h"

#include <gtest/gtest.h>

#include <QFont>

#include "runtime/convert.h"
#include "runtime/picture.h"

namespace {

TEST(PropertyBag, ReadsKeysInAnyCaseAndFallsBackToTextDefaults) {
    rt::PropertyBag bag;
    bag.WriteProperty(QStringLiteral("backcolornormal"), 0xFFFFFF);
    EXPECT_EQ(
        rt::CLng(bag.ReadProperty(QStringLiteral("BackColorNormal"), QStringLiteral("&H8080FF"))),
        0xFFFFFF);
    EXPECT_EQ(rt::CLng(bag.ReadProperty(QStringLiteral("BorderColorHover"),
                                        QStringLiteral("&H00FFFF80&"))),
              0x00FFFF80);
    EXPECT_EQ(
        rt::CLng(bag.ReadProperty(QStringLiteral("BackColorHover"), QStringLiteral("&H8080FF"))),
        0x8080FF);
    EXPECT_TRUE(rt::CBool(bag.ReadProperty(QStringLiteral("Enabled"), QStringLiteral("True"))));
    EXPECT_EQ(rt::CInt(bag.ReadProperty(QStringLiteral("FontSize"), QStringLiteral("8"))), 8);
    EXPECT_FALSE(bag.ReadProperty(QStringLiteral("Picture_Normal")).isValid());
}

TEST(PropertyBag, WriteLeavesOutValuesEqualToTheirDefault) {
    rt::PropertyBag bag;
    bag.WriteProperty(QStringLiteral("BackGround"), 0xFF8080, QStringLiteral("&HFF8080"));
    bag.WriteProperty(QStringLiteral("Enabled"), true, QStringLiteral("True"));
    bag.WriteProperty(QStringLiteral("FontSize"), 8, QStringLiteral("8"));
    bag.WriteProperty(QStringLiteral("Caption"), QString(), QString());
    bag.WriteProperty(QStringLiteral("Picture_Normal"), QVariant::fromValue(rt::emptyPicture()), 0);
    bag.WriteProperty(QStringLiteral("Font"), QFont(QStringLiteral("MS Sans Serif")),
                      QStringLiteral("MS Sans Serif"));
    EXPECT_TRUE(bag.entries().empty());
    bag.WriteProperty(QStringLiteral("Font"), QFont(QStringLiteral("Verdana")),
                      QStringLiteral("MS Sans Serif"));
    EXPECT_TRUE(bag.contains(QStringLiteral("font")));
    bag.clear();

    bag.WriteProperty(QStringLiteral("FontSize"), 10, QStringLiteral("8"));
    bag.WriteProperty(QStringLiteral("Enabled"), false, QStringLiteral("True"));
    bag.WriteProperty(QStringLiteral("Stretch"), false);  // no default: always stored
    bag.WriteProperty(QStringLiteral("Caption"), QStringLiteral("OK"), QString());
    ASSERT_EQ(bag.entries().size(), 4u);
    EXPECT_EQ(bag.entries()[0].first, QStringLiteral("FontSize"));
    EXPECT_EQ(bag.entries()[2].first, QStringLiteral("Stretch"));

    // Writing the default again removes the stored value.
    bag.WriteProperty(QStringLiteral("fontsize"), 8, QStringLiteral("8"));
    EXPECT_FALSE(bag.contains(QStringLiteral("FontSize")));
}

}  // namespace
