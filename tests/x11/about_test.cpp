// The about windows of both programs on a real X server: app-market rows
// clicked with the real pointer reach a fake adb through the real
// interpreter, their message answered with the mouse; web rows hand their
// address to the desktop.
#include "tessadrel/about.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QTest>

#include "panel.h"
#include "pellork/about.h"
#include "pellork/form1.h"

namespace {

using x11test::clickOn;
using x11test::FakeAdb;

// What the desktop is handed to open: a fake opener logs it.
const QString kOpener = QStringLiteral("xdg-open");
const QString kMarketCall = QStringLiteral(
    "shell am start -a android.intent.action.VIEW -d https://www.coolapk.com/ -p "
    "com.coolapk.market");

// The companion's links window as its main window's button shows it, or
// nullptr when it did not come up.
pellork::About* pellorkAbout() {
    x11test::moveTo(QPoint(1000, 900));
    auto& main = rt::Form::get<pellork::Form1>();
    main.Show();
    if (!QTest::qWaitForWindowExposed(&main)) return nullptr;
    clickOn(x11test::button(main, "N_Shape1about"));
    const bool shown = x11test::waitFor([] {
        auto* w = rt::Form::ifLoaded<pellork::About>();
        return w && w->windowHandle() && w->windowHandle()->isExposed();
    });
    return shown ? rt::Form::ifLoaded<pellork::About>() : nullptr;
}

// Clicks an app-market row and answers its message with the mouse; true once
// the box is gone and adb was called.
bool clickRowAndAnswer(const QWidget* row, const FakeAdb& adb, qsizetype callsBefore) {
    x11test::ModalAnswer ok(x11test::okButton);
    clickOn(row);
    return x11test::waitFor([&] { return ok.answered(); }) &&
           x11test::waitFor([] { return QApplication::activeModalWidget() == nullptr; }) &&
           x11test::waitFor([&] { return adb.calls().size() > callsBefore; });
}

TEST(RealAbout, AChannelRowOpensThePageOnThePhoneAndItsMessageIsAnsweredWithTheMouse) {
    FakeAdb adb({kOpener});
    auto* w = x11test::openFromTile<tessadrel::About>(&tessadrel::Form1::Image25);
    ASSERT_NE(w, nullptr);
    ASSERT_TRUE(clickRowAndAnswer(w->ctl<QWidget>(QStringLiteral("Label8")), adb, 0));
    ASSERT_TRUE(clickRowAndAnswer(w->ctl<QWidget>(QStringLiteral("Label6")), adb, 1));
    EXPECT_EQ(adb.calls(), (QStringList{kMarketCall, kMarketCall}));
    EXPECT_EQ(w->Text1->Text(), QStringLiteral("adb ") + kMarketCall);
    EXPECT_TRUE(adb.calls(kOpener).isEmpty());
}

TEST(RealAbout, TheSourceRowsHandTheirAddressesToTheDesktop) {
    FakeAdb adb({kOpener});
    auto* w = x11test::openFromTile<tessadrel::About>(&tessadrel::Form1::Image25);
    ASSERT_NE(w, nullptr);
    clickOn(w->ctl<QWidget>(QStringLiteral("Label13")));
    ASSERT_TRUE(x11test::waitFor([&] { return adb.calls(kOpener).size() == 1; }));
    clickOn(w->ctl<QWidget>(QStringLiteral("Label14")));
    ASSERT_TRUE(x11test::waitFor([&] { return adb.calls(kOpener).size() == 2; }));
    EXPECT_EQ(adb.calls(kOpener),
              (QStringList{QStringLiteral("https://source.android.com/"),
                           QStringLiteral("https://developer.android.com/tools/adb")}));
    EXPECT_TRUE(adb.calls().isEmpty());
}

TEST(RealPellorkAbout, TheMakersPageOpensOnThePhoneThroughAMinimizedLine) {
    FakeAdb adb({kOpener}, {}, true);  // minimized lines run in a terminal that runs them in place
    auto* w = pellorkAbout();
    ASSERT_NE(w, nullptr);
    ASSERT_TRUE(clickRowAndAnswer(w->ctl<QWidget>(QStringLiteral("blockmi")), adb, 0));
    EXPECT_EQ(adb.calls(), QStringList{kMarketCall});
    EXPECT_EQ(w->Text1->Text(), QStringLiteral("adb ") + kMarketCall);
}

TEST(RealPellorkAbout, TheJoinButtonHandsTheChatGroupsPageToTheDesktop) {
    FakeAdb adb({kOpener});
    auto* w = pellorkAbout();
    ASSERT_NE(w, nullptr);
    clickOn(w->ctl<QWidget>(QStringLiteral("N_Shape1")));
    ASSERT_TRUE(x11test::waitFor([&] { return !adb.calls(kOpener).isEmpty(); }));
    EXPECT_EQ(adb.calls(kOpener), QStringList{QStringLiteral("https://www.coolapk.com/")});
    EXPECT_TRUE(adb.calls().isEmpty());
}

}  // namespace
