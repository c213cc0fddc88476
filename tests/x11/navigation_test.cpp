// The display geometry window on a real X server: the warning before a
// density change answered with the mouse, and numbers typed with the
// keyboard reaching a fake adb through the real interpreter.
#include "tessadrel/navigation.h"

#include <gtest/gtest.h>

#include <QApplication>

#include "panel.h"
#include "xdriver.h"

namespace {

using tessadrel::Form1;
using tessadrel::Navigation;
using x11test::button;
using x11test::clickOn;

TEST(RealNavigation, TheDensityWarningIsAnsweredWithTheMouseThenTheDensityReachesAdb) {
    x11test::FakeAdb adb;
    Navigation* n = x11test::openFromTile<Navigation>(&Form1::Image5der);
    ASSERT_NE(n, nullptr);
    x11test::typeInto(n->DPIVAL, QStringLiteral("400"));
    ASSERT_TRUE(x11test::waitFor([&] { return n->DPIVAL->Text() == QStringLiteral("400"); }));

    QString shown;
    x11test::ModalAnswer ok(x11test::okButton, [&](QWidget* box) { shown = box->windowTitle(); });
    clickOn(button(*n, "DPIYES"));
    ASSERT_TRUE(x11test::waitFor([&] { return ok.answered(); }));
    EXPECT_EQ(shown, QStringLiteral("警告!"));
    ASSERT_TRUE(x11test::waitFor([&] { return !adb.calls().isEmpty(); }));
    EXPECT_EQ(adb.calls(), QStringList{QStringLiteral("shell wm density 400")});
}

TEST(RealNavigation, TypedBordersAndTheRestoreButtonsReachAdbWithNoBox) {
    x11test::FakeAdb adb;
    Navigation* n = x11test::openFromTile<Navigation>(&Form1::Image5der);
    ASSERT_NE(n, nullptr);
    x11test::typeInto(n->LB, QStringLiteral("10"));
    x11test::typeInto(n->UB, QStringLiteral("20"));
    x11test::typeInto(n->RB, QStringLiteral("-5"));
    ASSERT_TRUE(x11test::waitFor([&] { return n->RB->Text() == QStringLiteral("-5"); }));
    clickOn(button(*n, "BORDEROK"));
    ASSERT_TRUE(x11test::waitFor([&] { return adb.calls().size() == 1; }));
    EXPECT_EQ(adb.calls(), QStringList{QStringLiteral("shell wm overscan 10,20,-5,0")});

    clickOn(button(*n, "DPINUL"));
    clickOn(button(*n, "N_ShapeRESET"));
    ASSERT_TRUE(x11test::waitFor([&] { return adb.calls().size() == 3; }));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    QStringList restores = adb.calls().mid(1);
    restores.sort();
    EXPECT_EQ(restores, (QStringList{QStringLiteral("shell wm density reset"),
                                     QStringLiteral("shell wm size reset")}));
}

}  // namespace
