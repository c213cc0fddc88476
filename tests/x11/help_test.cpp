// The help window on a real X server: its tabs clicked with the real
// pointer, and its buttons handing their addresses to the desktop.
#include "tessadrel/help.h"

#include <gtest/gtest.h>

#include "panel.h"

namespace {

using tessadrel::Help;
using x11test::clickOn;
using x11test::FakeAdb;

// What the desktop is handed to open: a fake opener logs it.
const QString kOpener = QStringLiteral("xdg-open");

TEST(RealHelp, EachTabClickedShowsOnlyItsPageBesideTheTabs) {
    FakeAdb adb;
    Help* shown = x11test::openFromTile<Help>(&tessadrel::Form1::Image23);
    ASSERT_NE(shown, nullptr);
    Help& h = *shown;
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
    FakeAdb adb({kOpener});
    Help* shown = x11test::openFromTile<Help>(&tessadrel::Form1::Image23);
    ASSERT_NE(shown, nullptr);
    Help& h = *shown;
    clickOn(h.INTRO2);
    ASSERT_TRUE(x11test::waitFor([&] { return h.USBQA->isVisible(); }));
    clickOn(x11test::button(h, "DOWNOLD1"));
    ASSERT_TRUE(x11test::waitFor([&] { return adb.calls(kOpener).size() == 1; }));
    clickOn(x11test::button(h, "DOWNLOAD2"));
    ASSERT_TRUE(x11test::waitFor([&] { return adb.calls(kOpener).size() == 2; }));
    EXPECT_EQ(adb.calls(kOpener),
              (QStringList{
                  QStringLiteral("https://developer.android.com/studio/run/device"),
                  QStringLiteral("https://developer.android.com/tools/releases/platform-tools")}));
    EXPECT_TRUE(adb.calls().isEmpty());
}

}  // namespace
