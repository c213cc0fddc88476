// The companion's windows on a real X server: its links and buttons clicked
// with the real pointer, its warnings answered with the mouse, and the lines
// that reach a fake adb through the real interpreter, whose answers the
// splash reads back from the device files.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>

#include "pellork/form1.h"
#include "pellork/start.h"
#include "runtime/form.h"
#include "runtime/services.h"
#include "xdriver.h"

namespace {

using pellork::Form1;
using pellork::Start;

// A phone behind a fake adb first on PATH: it logs its arguments, one call a
// line, and answers the four queries. The minimized consoles run in place
// (a terminal that only runs what follows -e), and the device files land in
// a drive folder of the test's own.
class FakePhone : public x11test::FakeAdb {
public:
    explicit FakePhone(const QByteArray& maker)
        : FakeAdb({},
                  "  'shell getprop ro.product.model') echo TestPhone ;;\n"
                  "  'shell getprop ro.product.manufacturer') echo '" +
                      maker +
                      "' ;;\n"
                      "  'shell wm density') echo 'Physical density: 440' ;;\n"
                      "  'shell wm size') echo 'Physical size: 1080x2340' ;;\n",
                  true) {}
};

using x11test::clickOn;

bool exposed(const QWidget* w) {
    return w && w->isVisible() && w->windowHandle() && w->windowHandle()->isExposed();
}

// The splash as the program shows it, grown to full size. Its clock is
// slowed down so that the test ticks it.
Start& grownSplash() {
    Start& s = rt::Form::get<Start>();
    s.Timer1->setInterval(600000);
    s.Show();
    EXPECT_TRUE(x11test::waitFor([&] { return exposed(&s) && !s.Timerst->running(); }));
    return s;
}

TEST(RealPellork, TheSkipLinksWarningIsAnsweredWithTheMouseAndTheMainWindowShows) {
    FakePhone phone("Xiaomi");
    x11test::moveTo(QPoint(1000, 900));
    Start& s = grownSplash();
    x11test::ModalAnswer answer(x11test::okButton);
    clickOn(s.Label2);
    ASSERT_TRUE(x11test::waitFor([&] { return answer.answered(); }));
    ASSERT_TRUE(x11test::waitFor([] { return QApplication::activeModalWidget() == nullptr; }));
    Form1* f = rt::Form::ifLoaded<Form1>();
    ASSERT_NE(f, nullptr);
    ASSERT_TRUE(x11test::waitFor([&] { return exposed(f); }));
    EXPECT_EQ(f->Caption(),
              QStringLiteral("Pellork_Mi 第四代免Root搞机工具 酷安@Halvern 【已跳过设备检测】"));
    EXPECT_EQ(rt::Form::ifLoaded<Start>(), nullptr);
    ASSERT_TRUE(x11test::waitFor([&] { return !phone.calls().isEmpty(); }));
    EXPECT_EQ(phone.calls(), QStringList{QStringLiteral("start-server")});
}

TEST(RealPellork, AnotherMakersWarningIsAnsweredWithTheMouseAfterTheRealQueries) {
    FakePhone phone("OtherVendor");
    x11test::moveTo(QPoint(1000, 900));
    Start& s = grownSplash();
    for (int t = 0; t < 3; ++t) s.Timer1->fire();
    // The interpreter writes the answers; the fifth tick reads them back.
    ASSERT_TRUE(x11test::waitFor([&] { return phone.calls().size() == 5; }));
    ASSERT_TRUE(x11test::waitFor([] {
        for (const QString& file :
             {Start::kModelFile, Start::kMakerFile, Start::kDensityFile, Start::kSizeFile})
            if (QFileInfo(rt::hostPath(file)).size() == 0) return false;
        return true;
    }));
    EXPECT_EQ(phone.sortedCalls(),
              (QStringList{QStringLiteral("shell getprop ro.product.manufacturer"),
                           QStringLiteral("shell getprop ro.product.model"),
                           QStringLiteral("shell wm density"), QStringLiteral("shell wm size"),
                           QStringLiteral("start-server")}));

    x11test::ModalAnswer answer(x11test::okButton);
    s.Timer1->fire();
    s.Timer1->fire();
    ASSERT_TRUE(answer.answered());
    Form1* f = rt::Form::ifLoaded<Form1>();
    ASSERT_NE(f, nullptr);
    ASSERT_TRUE(x11test::waitFor([&] { return exposed(f); }));
    EXPECT_EQ(
        f->Caption(),
        QStringLiteral("Pellork 第四代免Root搞机工具 酷安@Halvern 【已连接设备: TestPhone】"));
    EXPECT_EQ(f->Text4->Text(), QStringLiteral("OtherVendor"));
    EXPECT_EQ(f->dpishow->Caption(), QStringLiteral("原始DPI:     440"));
    EXPECT_EQ(f->sizeshow->Caption(), QStringLiteral("原始分辨率: 1080x2340"));
    EXPECT_EQ(rt::Form::ifLoaded<Start>(), nullptr);
}

TEST(RealPellork, TickedRowsFrozenWithTheRealPointerReachAdb) {
    FakePhone phone("Xiaomi");
    x11test::moveTo(QPoint(1000, 900));
    Form1& f = rt::Form::get<Form1>();
    f.move(50, 50);
    f.Show();
    ASSERT_TRUE(x11test::waitFor([&] { return exposed(&f); }));
    clickOn(f.gsf);
    clickOn(f.yy);
    ASSERT_TRUE(x11test::waitFor([&] { return f.gsf->Value() == 1 && f.yy->Value() == 1; }));
    clickOn(f.ctl<QWidget>(QStringLiteral("blockgoogle")));
    ASSERT_TRUE(x11test::waitFor([&] { return phone.calls().size() == 2; }));
    EXPECT_EQ(phone.sortedCalls(),
              (QStringList{QStringLiteral("shell pm disable-user com.google.android.gsf"),
                           QStringLiteral("shell pm disable-user com.google.android.music")}));
}

}  // namespace
