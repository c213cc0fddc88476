// The reboot and flashing window on a real X server: buttons clicked with
// the real pointer reach a fake adb and fastboot through the real
// interpreter, and the message about a path that cannot be flashed is
// answered with the mouse.
#include "tessadrel/okc.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QTemporaryDir>

#include "controls/optionbutton.h"
#include "panel.h"

namespace {

using x11test::clickOn;
using x11test::FakeAdb;

const QString kFastboot = QStringLiteral("fastboot");

using x11test::RunningTerminal;

TEST(RealOKC, ARebootButtonAndTheDeviceCheckReachTheirTools) {
    FakeAdb tools({kFastboot});
    auto* w = x11test::openFromTile<tessadrel::OKC>(&tessadrel::Form1::Image19);
    ASSERT_NE(w, nullptr);
    RunningTerminal terminal;  // after the main window's start-up console
    clickOn(x11test::button(*w, "EDL"));
    ASSERT_TRUE(x11test::waitFor([&] { return !tools.calls().isEmpty(); }));
    EXPECT_EQ(tools.calls(), QStringList{QStringLiteral("reboot edl")});

    clickOn(x11test::button(*w, "N_Shapetefb1"));
    ASSERT_TRUE(x11test::waitFor([&] { return !tools.calls(kFastboot).isEmpty(); }));
    EXPECT_TRUE(tools.interpretersDone());
    EXPECT_EQ(tools.calls(kFastboot), QStringList{QStringLiteral("devices")});
    EXPECT_EQ(tools.calls().size(), 1);
}

TEST(RealOKC, ARefusedPathIsReportedInABoxClosedWithTheMouse) {
    FakeAdb tools({kFastboot});
    auto* w = x11test::openFromTile<tessadrel::OKC>(&tessadrel::Form1::Image19);
    ASSERT_NE(w, nullptr);
    RunningTerminal terminal;  // after the main window's start-up console
    clickOn(w->sysf);
    ASSERT_TRUE(x11test::waitFor([&] { return w->sysf->Value(); }));
    const QString label = w->Labelappr->Caption();
    x11test::SeenBox seen;
    x11test::ModalAnswer ok(x11test::okButton, x11test::noteBox(seen));
    // The drop comes through the window as the desktop's would.
    const auto dropPath = [&](const QString& path) {
        x11test::dropFile(w, w->recc->mapTo(w, w->recc->rect().center()), path);
    };
    dropPath(QStringLiteral("/tmp/100%.img"));
    EXPECT_TRUE(ok.answered());
    EXPECT_EQ(seen.title, QStringLiteral("提示"));
    EXPECT_EQ(seen.icon, QMessageBox::Warning);
    EXPECT_EQ(w->Labelappr->Caption(), label);
    // A good image afterwards flashes: the refused one started nothing before it.
    dropPath(QStringLiteral("/tmp/a b.img"));
    ASSERT_TRUE(x11test::waitFor([&] { return !tools.calls(kFastboot).isEmpty(); }));
    EXPECT_EQ(tools.argv(kFastboot),
              (std::vector<QStringList>{{QStringLiteral("flash"), QStringLiteral("system"),
                                         QStringLiteral("/tmp/a b.img")}}));
}

}  // namespace
