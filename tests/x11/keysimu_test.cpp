// The key and text injection window on a real X server: text typed with the
// keyboard and sent with the mouse reaches a fake adb through the real
// interpreter with its operators as plain text, and key buttons reach it too.
#include "tessadrel/keysimu.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>

#include "panel.h"
#include "xdriver.h"

namespace {

using tessadrel::Form1;
using tessadrel::keysimu;
using x11test::button;
using x11test::clickOn;

// The started commands run in the program's current folder: a throw-away
// one, where a file written by a stray redirection would show.
struct InFolder {
    QTemporaryDir dir;
    QString before = QDir::currentPath();
    InFolder() { QDir::setCurrent(dir.path()); }
    ~InFolder() { QDir::setCurrent(before); }
};

TEST(RealKeysimu, TypedOperatorsReachAdbAsTextAndRunNothingOnThisComputer) {
    InFolder folder;
    // Unescaped, "a&b >c" would run a program "b" with its output in "c".
    x11test::FakeAdb adb({QStringLiteral("b")});
    keysimu* k = x11test::openFromTile<keysimu>(&Form1::Image21);
    ASSERT_NE(k, nullptr);

    x11test::typeInto(k->Textsend, QStringLiteral("a&b >c"));
    ASSERT_TRUE(x11test::waitFor([&] { return k->Textsend->Text() == QStringLiteral("a&b >c"); }));
    clickOn(button(*k, "N_Shapesendd"));
    ASSERT_TRUE(x11test::waitFor([&] { return !adb.argv().empty(); }));
    ASSERT_TRUE(adb.interpretersDone());

    const std::vector<QStringList> sent = {{QStringLiteral("shell"), QStringLiteral("input"),
                                            QStringLiteral("text"), QStringLiteral("a&b"),
                                            QStringLiteral(">c")}};
    EXPECT_EQ(adb.argv(), sent);
    EXPECT_TRUE(adb.argv(QStringLiteral("b")).empty());
    EXPECT_FALSE(QFileInfo::exists(folder.dir.filePath(QStringLiteral("c"))));
}

TEST(RealKeysimu, KeyButtonsClickedWithTheMouseReachAdbAndClearEmptiesTheBox) {
    x11test::FakeAdb adb;
    keysimu* k = x11test::openFromTile<keysimu>(&Form1::Image21);
    ASSERT_NE(k, nullptr);

    clickOn(button(*k, "MEUNWARD"));
    clickOn(button(*k, "N_Shapetop"));
    clickOn(button(*k, "N_Shape4"));
    ASSERT_TRUE(x11test::waitFor([&] { return adb.calls().size() >= 3; }));
    // Separate interpreters: they may finish in any order.
    QStringList calls = adb.calls();
    calls.sort();
    EXPECT_EQ(calls, (QStringList{QStringLiteral("shell input keyevent 187"),
                                  QStringLiteral("shell input keyevent 19"),
                                  QStringLiteral("shell input keyevent 4")}));

    x11test::typeInto(k->Textsend, QStringLiteral("hello"));
    ASSERT_TRUE(x11test::waitFor([&] { return k->Textsend->Text() == QStringLiteral("hello"); }));
    clickOn(button(*k, "N_Shape6clear"));
    ASSERT_TRUE(x11test::waitFor([&] { return k->Textsend->Text().isEmpty(); }));
    ASSERT_TRUE(adb.interpretersDone());
    EXPECT_EQ(adb.calls().size(), 3);
}

}  // namespace
