// The push button on a real X server, driven with the real pointer: boxes
// opened from its Click answered with the mouse, windows of other programs
// over it, and the platform the programs choose.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QProcess>
#include <QTest>
#include <string>
#include <vector>

#include "controls/nshape.h"
#include "runtime/form.h"
#include "runtime/services.h"
#include "tessadrel/form1.h"
#include "xdriver.h"

namespace {

using controls::N_Shape;
using Log = std::vector<std::string>;

bool has(const Log& log, const char* what) {
    return std::find(log.begin(), log.end(), what) != log.end();
}

class RealPointer : public ::testing::Test {
protected:
    void SetUp() override {
        // Consoles started on the way go to a terminal that does nothing.
        qputenv("TERMINAL", "true");
        x11test::moveTo(QPoint(1000, 900));
        form.setClientSize(6000, 3000);
        form.move(100, 100);
        b = new N_Shape(&form);
        b->setObjectName(QStringLiteral("N_ShapeTest"));
        b->Move(600, 600, 1800, 495);  // 120 x 33 px at (40, 40)
        b->initNew();
        b->setStretchToText(false);
        b->setWidth(1800);
        b->setCaption(QStringLiteral("测试"));
        for (auto* e : {&b->Click, &b->MouseEnter, &b->MouseLeave, &b->MouseOut}) {
            const char* name = e == &b->Click        ? "Click"
                               : e == &b->MouseEnter ? "MouseEnter"
                               : e == &b->MouseLeave ? "MouseLeave"
                                                     : "MouseOut";
            e->handle([this, name] { log.push_back(name); });
        }
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    }

    void TearDown() override {
        if (foreign.state() != QProcess::NotRunning) {
            foreign.kill();
            foreign.waitForFinished();
        }
    }

    // A window of another process at a screen rectangle, on top.
    void showForeignWindow(QRect r) {
        foreign.start(
            QCoreApplication::applicationFilePath(),
            {QStringLiteral("--foreign-window"), QString::number(r.x()), QString::number(r.y()),
             QString::number(r.width()), QString::number(r.height())});
        ASSERT_TRUE(foreign.waitForReadyRead(10000));
        const QPoint inside = r.center();
        ASSERT_TRUE(
            x11test::waitFor([&] { return rt::WindowFromPoint(inside.x(), inside.y()) != b; }));
    }

    void hoverButton(QPoint local) {
        x11test::moveTo(b, local);
        ASSERT_TRUE(x11test::waitFor([&] { return has(log, "MouseEnter"); }));
        ASSERT_EQ(rt::GetCapture(), b);
    }

    rt::Form form;
    N_Shape* b = nullptr;
    Log log;
    QProcess foreign;
};

TEST_F(RealPointer, TheEggsMessageIsAnsweredWithTheMouse) {
    auto& main = rt::Form::get<tessadrel::Form1>();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
    auto* egg = main.need<N_Shape>(QStringLiteral("N_Shapeegg"));
    x11test::moveTo(egg, egg->rect().center());
    ASSERT_TRUE(x11test::waitFor([&] { return egg->buttonState() == N_Shape::StateHover; }));

    QString seen;
    x11test::ModalAnswer ok([&](QWidget* box) {
        seen = box->windowTitle();
        return x11test::buttonLabelled(box, QStringLiteral("OK"));
    });
    x11test::click();
    EXPECT_TRUE(x11test::waitFor([&] { return ok.answered(); }));
    EXPECT_TRUE(x11test::waitFor([] { return QApplication::activeModalWidget() == nullptr; }));
    EXPECT_EQ(seen, QStringLiteral("彩蛋"));
}

TEST_F(RealPointer, AnInputBoxFromAButtonTakesTypedTextAndTheMouse) {
    QString typed = QStringLiteral("(none)");
    b->Click.handle([&] { typed = rt::InputBox(QStringLiteral("输入包名：")); });
    hoverButton(QPoint(20, 16));
    x11test::ModalAnswer ok(x11test::okButton,
                            [](QWidget*) { x11test::type(QStringLiteral("com.example.app")); });
    x11test::click();
    ASSERT_TRUE(x11test::waitFor([&] { return typed != QStringLiteral("(none)"); }));
    EXPECT_EQ(typed, QStringLiteral("com.example.app"));
}

TEST_F(RealPointer, AWindowOfAnotherProgramOverTheButtonCountsAsOutside) {
    hoverButton(QPoint(20, 16));
    // Nothing over the button: the pointer is over it.
    const QPoint onLeft = b->mapToGlobal(QPoint(20, 16));
    EXPECT_EQ(rt::WindowFromPoint(onLeft.x(), onLeft.y()), b);
    EXPECT_TRUE(b->timer1()->running());

    const QRect rightHalf(b->mapToGlobal(QPoint(60, 0)), QSize(60, 33));
    showForeignWindow(rightHalf);
    log.clear();
    x11test::moveTo(rightHalf.center());
    ASSERT_TRUE(x11test::waitFor([&] { return has(log, "MouseOut"); }));
    b->timer1()->fire();
    EXPECT_TRUE(has(log, "MouseLeave"));
    EXPECT_FALSE(b->timer1()->running());
    EXPECT_EQ(rt::GetCapture(), nullptr);

    // The click belongs to the other program.
    x11test::click();
    ASSERT_TRUE(foreign.waitForFinished(10000));
    EXPECT_EQ(foreign.exitCode(), 3);
    QCoreApplication::processEvents();
    EXPECT_FALSE(has(log, "Click"));
}

TEST_F(RealPointer, AWindowOpeningUnderTheRestingPointerTakesItsClicks) {
    // As when the button's own Click opens a console over it.
    hoverButton(QPoint(60, 16));
    log.clear();
    showForeignWindow(QRect(b->mapToGlobal(QPoint(0, 0)), QSize(120, 33)));
    ASSERT_TRUE(x11test::waitFor([&] { return has(log, "MouseOut"); }));
    x11test::click();
    ASSERT_TRUE(foreign.waitForFinished(10000));
    EXPECT_EQ(foreign.exitCode(), 3);
    QCoreApplication::processEvents();
    EXPECT_FALSE(has(log, "Click"));
}

TEST(Platform, ProgramsOnAWaylandDesktopWithXWaylandRunOnX11) {
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    env.insert(QStringLiteral("WAYLAND_DISPLAY"), QStringLiteral("wayland-0"));
    ASSERT_FALSE(env.value(QStringLiteral("DISPLAY")).isEmpty());
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--report-platform")});
    ASSERT_TRUE(child.waitForFinished(10000));
    EXPECT_EQ(QString::fromUtf8(child.readAllStandardOutput()).trimmed(),
              QStringLiteral("xcb xcb"));
}

}  // namespace
