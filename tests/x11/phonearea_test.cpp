// The screen display tuning window on a real X server: numbers typed with
// the keyboard reach a fake adb through the real interpreter, each button
// with its own box.
#include "tessadrel/phonearea.h"

#include <gtest/gtest.h>

#include "panel.h"
#include "xdriver.h"

namespace {

using tessadrel::Form1;
using tessadrel::PhoneArea;
using x11test::button;
using x11test::clickOn;

TEST(RealPhoneArea, ATypedFontScaleReachesAdbAsItsNumber) {
    x11test::FakeAdb adb;
    PhoneArea* p = x11test::openFromTile<PhoneArea>(&Form1::Image10);
    ASSERT_NE(p, nullptr);
    x11test::typeInto(p->Text6bat, QStringLiteral(".75"));
    ASSERT_TRUE(x11test::waitFor([&] { return p->Text6bat->Text() == QStringLiteral(".75"); }));
    clickOn(button(*p, "N_Shape2battper"));
    ASSERT_TRUE(x11test::waitFor([&] { return !adb.calls().isEmpty(); }));
    EXPECT_EQ(adb.calls(),
              QStringList{QStringLiteral("shell settings put system font_scale 0.75")});
}

TEST(RealPhoneArea, EachAnimationButtonSendsItsOwnBox) {
    x11test::FakeAdb adb;
    PhoneArea* p = x11test::openFromTile<PhoneArea>(&Form1::Image10);
    ASSERT_NE(p, nullptr);
    x11test::typeInto(p->WINS, QStringLiteral("0.5"));
    x11test::typeInto(p->DURAS, QStringLiteral("1.0"));
    x11test::typeInto(p->PROGS, QStringLiteral("2.50"));
    ASSERT_TRUE(x11test::waitFor([&] { return p->PROGS->Text() == QStringLiteral("2.50"); }));
    clickOn(button(*p, "PROGSOK"));
    clickOn(button(*p, "WINSOK"));
    clickOn(button(*p, "DURASOK"));
    ASSERT_TRUE(x11test::waitFor([&] { return adb.calls().size() >= 3; }));
    ASSERT_TRUE(adb.interpretersDone());
    QStringList calls = adb.calls();
    calls.sort();
    EXPECT_EQ(calls, (QStringList{
                         QStringLiteral("shell settings put global animator_duration_scale 2.5"),
                         QStringLiteral("shell settings put global transition_animation_scale 1"),
                         QStringLiteral("shell settings put global window_animation_scale 0.5")}));
}

}  // namespace
