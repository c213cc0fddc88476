// The two-line item on a real X server with the real pointer: hover, a click
// on the description, the strip that raises nothing, and the leave noticed by
// the running poll alone. With SELECTION_PNG set, also writes a picture of an
// item normal, hovered and pressed for a human to look at.
#include <gtest/gtest.h>

#include <QPainter>
#include <QProcess>
#include <QTest>
#include <string>
#include <vector>

#include "controls/nselection.h"
#include "runtime/form.h"
#include "runtime/services.h"
#include "xdriver.h"

namespace {

using controls::N_Selection;
using Log = std::vector<std::string>;

class RealPointerItem : public ::testing::Test {
protected:
    void SetUp() override {
        x11test::moveTo(QPoint(1000, 900));
        form.setClientSize(4500, 1500);
        form.setBackColor(0xFFFFFF);
        form.move(100, 100);
        item = new N_Selection(&form);
        item->setObjectName(QStringLiteral("N_Selection1"));
        item->Move(300, 300, 3600, 615);  // 240 x 41 px at (20, 20)
        item->initNew();
        item->setCaption(QStringLiteral("连接的设备"));
        item->setDescription(QStringLiteral("adb devices 列出已连接的手机"));
        const auto note = [this](const char* what) {
            return [this, what] { log.push_back(what); };
        };
        item->Click.handle(note("Click"));
        item->MouseEnter.handle(note("MouseEnter"));
        item->MouseLeave.handle(note("MouseLeave"));
        item->MouseOut.handle(note("MouseOut"));
        item->MouseDown.handle([this](rt::Integer&, rt::Integer&, rt::Single&, rt::Single&) {
            log.push_back("Down");
        });
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    }

    rt::Form form;
    N_Selection* item = nullptr;
    Log log;
};

TEST_F(RealPointerItem, DescriptionClicksStripIsInertAndThePollNoticesTheLeave) {
    QWidget* description = item->labelDescricao();
    x11test::moveTo(description, description->rect().center());
    ASSERT_TRUE(x11test::waitFor([&] { return item->buttonState() == N_Selection::StateHover; }));
    EXPECT_EQ(item->BackColorNormal(), 0x2D2D2D);
    EXPECT_EQ(rt::GetCapture(), nullptr);
    x11test::click();
    ASSERT_TRUE(x11test::waitFor([&] { return log.size() >= 3; }));
    EXPECT_EQ(log, (Log{"MouseEnter", "Down", "Click"}));

    log.clear();
    x11test::moveTo(item->image1(), QPoint(7, 20));
    x11test::click();
    QTest::qWait(100);
    EXPECT_EQ(log, Log{});

    x11test::moveTo(QPoint(1000, 900));
    ASSERT_TRUE(x11test::waitFor([&] { return !log.empty(); }));
    EXPECT_EQ(log, Log{"MouseLeave"});
    EXPECT_EQ(item->BackColorNormal(), 0x000000);
    EXPECT_FALSE(item->MouseInside());
}

TEST_F(RealPointerItem, PictureOfTheThreeStates) {
    const QByteArray out = qgetenv("SELECTION_PNG");
    if (out.isEmpty()) GTEST_SKIP() << "set SELECTION_PNG to write the picture";
    std::vector<QImage> shots;
    const auto shoot = [&] {
        QTest::qWait(50);
        shots.push_back(form.grab(item->geometry().adjusted(-10, -10, 10, 10)).toImage());
    };
    shoot();
    x11test::moveTo(item->label1(), item->label1()->rect().center());
    ASSERT_TRUE(x11test::waitFor([&] { return item->buttonState() == N_Selection::StateHover; }));
    shoot();
    QProcess::execute(QStringLiteral("xdotool"),
                      {QStringLiteral("mousedown"), QStringLiteral("1")});
    ASSERT_TRUE(x11test::waitFor([&] { return item->buttonState() == N_Selection::StateDown; }));
    shoot();
    QProcess::execute(QStringLiteral("xdotool"), {QStringLiteral("mouseup"), QStringLiteral("1")});

    const QSize one = shots.front().size();
    QImage sheet(one.width(), one.height() * 3, QImage::Format_RGB32);
    QPainter p(&sheet);
    for (int i = 0; i < 3; ++i) p.drawImage(0, i * one.height(), shots[i]);
    p.end();
    ASSERT_TRUE(sheet.save(QString::fromLocal8Bit(out)));
}

}  // namespace
