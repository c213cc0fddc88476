// The main program's windows on a real X server: tiles and buttons clicked
// with the real pointer, their boxes answered with the mouse, and the line
// that reaches a fake adb through the real interpreter.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QTest>

#include "controls/nshape.h"
#include "panel.h"
#include "runtime/form.h"
#include "tessadrel/form1.h"
#include "tessadrel/touchsimu.h"
#include "xdriver.h"

namespace {

using x11test::clickOn;

TEST(RealWindows, TheRepeatersFloorWarningIsAnsweredWithTheMouseAndTheTapReachesAdb) {
    x11test::FakeAdb adb;
    auto* opened = x11test::openFromTile<tessadrel::touchsimu>(&tessadrel::Form1::Image12);
    ASSERT_NE(opened, nullptr);
    auto& t = *opened;
    t.X1->setText(QStringLiteral("100"));
    t.Y1->setText(QStringLiteral("200"));
    t.DURA->setText(QStringLiteral("50"));
    t.Textcishu->setText(QStringLiteral("1"));
    t.Textdely->setText(QStringLiteral("10"));

    x11test::ModalAnswer ok(
        [](QWidget* box) { return x11test::buttonLabelled(box, QStringLiteral("OK")); });
    clickOn(t.SWIPEGO);
    ASSERT_TRUE(x11test::waitFor([&] { return ok.answered(); }));
    ASSERT_TRUE(x11test::waitFor([] { return QApplication::activeModalWidget() == nullptr; }));
    EXPECT_EQ(t.Textdely->Text(), QStringLiteral("80"));
    t.Timerdur->fire();  // the one tap of the run, whether or not it came by itself
    ASSERT_TRUE(x11test::waitFor([&] { return !adb.calls().isEmpty(); }));
    EXPECT_EQ(adb.calls(), QStringList{QStringLiteral("shell input swipe 100 200 100 200 50")});
    EXPECT_FALSE(t.Timerdur->running());
}

}  // namespace
