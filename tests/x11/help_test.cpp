// The help window on a real X server: its tabs clicked with the real
// pointer, and its buttons handing their addresses to the desktop.
#include "tessadrel/help.h"

#include <gtest/gtest.h>

#include <QTest>

#include "runtime/form.h"
#include "tessadrel/form1.h"
#include "xdriver.h"

namespace {

using tessadrel::Help;
using x11test::clickOn;
using x11test::FakeAdb;

Help& openFromTile() {
    x11test::moveTo(QPoint(1000, 900));
    auto& main = rt::Form::get<tessadrel::Form1>();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&main));
    clickOn(main.Image23);
    EXPECT_TRUE(x11test::waitFor([] {
        auto* h = rt::Form::ifLoaded<Help>();
        return h && h->windowHandle() && h->windowHandle()->isExposed();
    }));
    return *rt::Form::ifLoaded<Help>();
}

TEST(RealHelp, EachTabClickedShowsOnlyItsPageBesideTheTabs) {
    FakeAdb adb;
    Help& h = openFromTile();
    ASSERT_TRUE(h.INTRO->isVisible());
    const std::pair<rt::Label*, rt::Frame*> steps[] = {
        {h.INTRO2, h.USBQA}, {h.INTRO3, h.COMMONQA}, {h.INTRO2, h.USBQA}, {h.INTRO1, h.INTRO}};
    for (const auto& [tab, page] : steps) {
        clickOn(tab);
        ASSERT_TRUE(x11test::waitFor([&] { return page->isVisible(); }))
            << tab->Caption().toStdString();
        EXPECT_EQ(h.INTRO->isVisible() + h.USBQA->isVisible() + h.COMMONQA->isVisible(), 1);
        EXPECT_EQ(page->Left(), 1560);
        EXPECT_EQ(page->Top(), 8);
    }
    EXPECT_TRUE(adb.calls().isEmpty());
}

TEST(RealHelp, TheDriverButtonsHandTheirPagesToTheDesktop) {
    FakeAdb adb;
    Help& h = openFromTile();
    clickOn(h.INTRO2);
    ASSERT_TRUE(x11test::waitFor([&] { return h.USBQA->isVisible(); }));
    clickOn(h.ctl<QWidget>(QStringLiteral("DOWNOLD1")));
    ASSERT_TRUE(x11test::waitFor([&] { return adb.opened().size() == 1; }));
    clickOn(h.ctl<QWidget>(QStringLiteral("DOWNLOAD2")));
    ASSERT_TRUE(x11test::waitFor([&] { return adb.opened().size() == 2; }));
    EXPECT_EQ(adb.opened(),
              (QStringList{
                  QStringLiteral("https://developer.android.com/studio/run/device"),
                  QStringLiteral("https://developer.android.com/tools/releases/platform-tools")}));
    EXPECT_TRUE(adb.calls().isEmpty());
}

}  // namespace
