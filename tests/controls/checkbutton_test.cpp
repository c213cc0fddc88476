// The check box under the virtual pointer and the keyboard: the click cycle,
// the looks it hands to its glyph, the leave poll, the layout in twips, and
// its stored settings.
#include "controls/checkbutton.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTest>
#include <string>
#include <vector>

#include "controls/skins.h"
#include "runtime/convert.h"
#include "runtime/form.h"
#include "support/recordinghost.h"

namespace {

using controls::CheckButton;
using Log = std::vector<std::string>;

int shownIndex(const CheckButton& c) {
    const auto& pics = controls::skins::checkPictures();
    for (std::size_t i = 0; i < pics.size(); ++i)
        if (c.glyph()->Picture() == pics[i]) return static_cast<int>(i);
    return -1;
}

class CheckButtonTest : public ::testing::Test {
protected:
    void SetUp() override {
        form.setClientSize(6000, 3000);
        c = new CheckButton(&form);
        c->setObjectName(QStringLiteral("Check1"));
        form.addControl(c);
        c->Move(600, 600, 1800, 255);  // 120 x 17 px at (40, 40)
        c->initNew();
        form.show();
        away();
        c->pollTimer()->fire();  // the tick just after creation
        c->clearChangedProperties();

        c->Click.handle([this] { log.push_back("Click"); });
        c->KeyDown.handle(
            [this](rt::Integer& k, rt::Integer&) { log.push_back("KeyDown" + std::to_string(k)); });
        c->KeyPress.handle(
            [this](rt::Integer& k) { log.push_back("KeyPress" + std::to_string(k)); });
        c->KeyUp.handle(
            [this](rt::Integer& k, rt::Integer&) { log.push_back("KeyUp" + std::to_string(k)); });
        c->MouseOut.handle([this] { log.push_back("MouseOut"); });
        c->MouseDown.handle([this](rt::Integer& b, rt::Integer&, rt::Single&, rt::Single&) {
            log.push_back("MouseDown" + std::to_string(b));
        });
        c->MouseMove.handle([this](rt::Integer& b, rt::Integer&, rt::Single&, rt::Single&) {
            log.push_back("MouseMove" + std::to_string(b));
        });
        c->MouseUp.handle([this](rt::Integer& b, rt::Integer&, rt::Single&, rt::Single&) {
            log.push_back("MouseUp" + std::to_string(b));
        });
    }

    void away() { host.moveTo(form.mapToGlobal(QPoint(300, 150))); }
    void onGlyph() { host.moveTo(c->glyph(), QPoint(6, 6)); }
    void onCaption() { host.moveTo(c->captionLabel(), QPoint(2, 2)); }
    // A move delivered straight to the surface at a pixel point, edges included.
    void moveOnSurface(QPointF px, Qt::MouseButtons held = Qt::NoButton) {
        QMouseEvent ev(QEvent::MouseMove, px, c->mapToGlobal(px), Qt::NoButton, held,
                       Qt::NoModifier);
        QApplication::sendEvent(c, &ev);
    }

    Log log;
    testing_support::RecordingHost host;
    rt::Form form;
    CheckButton* c = nullptr;
};

TEST(CheckButtonLifecycle, CreationShowsTheClearBoxAndTheFirstTickRaisesOneMouseOut) {
    testing_support::RecordingHost host;
    rt::Form form;
    form.setClientSize(6000, 3000);
    form.show();
    host.moveTo(form.mapToGlobal(QPoint(300, 150)));
    CheckButton c(&form);
    c.Move(600, 600, 1800, 255);
    EXPECT_EQ(c.glyph()->Picture(), controls::skins::checkPictures()[0]);
    EXPECT_EQ(c.pollTimer()->Interval(), 50);
    EXPECT_TRUE(c.pollTimer()->running());
    int outs = 0;
    c.MouseOut.handle([&] { ++outs; });
    c.pollTimer()->fire();
    c.pollTimer()->fire();
    EXPECT_EQ(outs, 1);
    EXPECT_FALSE(c.pollTimer()->Enabled());
    c.setObjectName(QStringLiteral("Check7"));
    c.initNew();
    EXPECT_EQ(c.Caption(), QStringLiteral("Check7"));
    EXPECT_EQ(c.BackColor(), rt::sysColor(0x0F));
    // Enabled is never announced.
    EXPECT_EQ(
        c.changedProperties(),
        QStringList({QStringLiteral("Caption"), QStringLiteral("Value"), QStringLiteral("Font"),
                     QStringLiteral("BackColor"), QStringLiteral("ForeColor")}));
}

TEST_F(CheckButtonTest, ClickCycleGoesOneZeroOneAndTwoToZeroWhateverPartIsClicked) {
    onGlyph();
    host.click();
    EXPECT_EQ(c->Value(), 1);
    EXPECT_EQ(shownIndex(*c), 4);
    onCaption();
    host.click();
    EXPECT_EQ(c->Value(), 0);
    EXPECT_EQ(shownIndex(*c), 0);
    c->setValue(2);
    host.moveTo(c, QPoint(100, 8));  // the surface right of the caption
    host.click();
    EXPECT_EQ(c->Value(), 0);
    EXPECT_EQ(std::count(log.begin(), log.end(), "Click"), 3);
    EXPECT_EQ(c->changedProperties().count(QStringLiteral("Value")), 4);

    // A value without pictures is kept, keeps the last picture, and a click
    // leaves it as it is but still raises Click.
    c->setValue(1);
    c->setValue(3);
    EXPECT_EQ(shownIndex(*c), 4);
    c->clearChangedProperties();
    onGlyph();
    host.click();
    EXPECT_EQ(c->Value(), 3);
    EXPECT_EQ(std::count(log.begin(), log.end(), "Click"), 4);
    EXPECT_TRUE(c->changedProperties().isEmpty());
}

TEST_F(CheckButtonTest, ValueFromCodeRaisesNothingAndShowsTheNormalLookUnderThePointer) {
    onGlyph();
    ASSERT_EQ(shownIndex(*c), 1);
    log.clear();
    c->setValue(1);
    EXPECT_EQ(shownIndex(*c), 4);
    c->setValue(2);
    EXPECT_EQ(shownIndex(*c), 8);
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(c->changedProperties(),
              QStringList({QStringLiteral("Value"), QStringLiteral("Value")}));
}

TEST_F(CheckButtonTest, DisablingGreysCaptionAndGlyphAndEnablingRestoresThem) {
    c->setForeColor(0x123456);
    c->setValue(1);
    c->clearChangedProperties();
    c->setEnabled(false);
    EXPECT_FALSE(c->Enabled());
    EXPECT_EQ(shownIndex(*c), 7);
    EXPECT_EQ(c->captionLabel()->ForeColor(), 0x0092A1A1);
    c->setValue(2);
    EXPECT_EQ(shownIndex(*c), 11);
    c->setValue(0);
    EXPECT_EQ(shownIndex(*c), 3);
    // A colour given while disabled waits for the control to be enabled.
    c->setForeColor(0x654321);
    EXPECT_EQ(c->ForeColor(), 0x654321);
    EXPECT_EQ(c->captionLabel()->ForeColor(), 0x0092A1A1);
    c->setEnabled(true);
    EXPECT_EQ(c->captionLabel()->ForeColor(), 0x654321);
    EXPECT_EQ(shownIndex(*c), 0);
    EXPECT_EQ(c->changedProperties(), QStringList({QStringLiteral("Value"), QStringLiteral("Value"),
                                                   QStringLiteral("ForeColor")}));
}

TEST_F(CheckButtonTest, DisabledContainerDoesNotTurnTheControlsOwnSettingOff) {
    form.setEnabled(false);
    EXPECT_TRUE(c->Enabled());
    form.setEnabled(true);
}

TEST_F(CheckButtonTest, HoverLookOnEntryAndOneMouseOutAtTheNextTickAfterLeaving) {
    c->setValue(1);
    onGlyph();
    EXPECT_EQ(shownIndex(*c), 5);
    onCaption();
    EXPECT_EQ(shownIndex(*c), 5);
    EXPECT_TRUE(c->pollTimer()->running());
    c->pollTimer()->fire();  // still inside
    EXPECT_EQ(std::count(log.begin(), log.end(), "MouseOut"), 0);
    away();
    EXPECT_EQ(shownIndex(*c), 5);
    c->pollTimer()->fire();
    c->pollTimer()->fire();
    EXPECT_EQ(shownIndex(*c), 4);
    EXPECT_EQ(std::count(log.begin(), log.end(), "MouseOut"), 1);
    EXPECT_FALSE(c->pollTimer()->running());
}

TEST_F(CheckButtonTest, RightAndBottomEdgesCountAsInside) {
    const QPointF corner(c->width(), c->height());
    moveOnSurface(corner);
    EXPECT_EQ(log, Log({"MouseMove0"}));
    EXPECT_EQ(shownIndex(*c), 1);
    log.clear();
    c->setValue(0);
    moveOnSurface(corner + QPointF(1, 0));
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(shownIndex(*c), 0);
    EXPECT_TRUE(c->pollTimer()->running());  // any move starts the poll

    // The poll: on the corner inside, one pixel further outside.
    host.moveTo(c->mapToGlobal(corner.toPoint()));
    c->pollTimer()->fire();
    EXPECT_TRUE(log.empty());
    host.cursor = c->mapToGlobal(corner.toPoint() + QPoint(0, 1));
    c->pollTimer()->fire();
    EXPECT_EQ(log, Log({"MouseOut"}));
}

TEST_F(CheckButtonTest, LeftButtonAloneShowsPressedOtherButtonsHover) {
    onGlyph();
    host.press(Qt::RightButton);
    EXPECT_EQ(shownIndex(*c), 2);  // any button down shows pressed
    host.moveTo(c->glyph(), QPoint(7, 6));
    EXPECT_EQ(shownIndex(*c), 1);
    host.press(Qt::LeftButton);
    EXPECT_EQ(shownIndex(*c), 2);
    host.moveTo(c->glyph(), QPoint(6, 6));
    EXPECT_EQ(shownIndex(*c), 1);  // left and right together
    host.release(Qt::RightButton);
    host.moveTo(c->glyph(), QPoint(7, 6));
    EXPECT_EQ(shownIndex(*c), 2);
    EXPECT_EQ(log, Log({"MouseMove0", "MouseDown2", "MouseMove2", "MouseDown1", "MouseMove3",
                        "MouseUp2", "MouseMove1"}));
    // Releasing raises MouseUp and the click; the look changes by the click only.
    host.release(Qt::LeftButton);
    EXPECT_EQ(c->Value(), 1);
    EXPECT_EQ(shownIndex(*c), 4);
}

TEST_F(CheckButtonTest, KeysArePassedOnButNeverToggle) {
    QTest::keyClick(c, Qt::Key_Space);
    QTest::keyClick(c, Qt::Key_Return);
    EXPECT_EQ(c->Value(), 0);
    EXPECT_EQ(log,
              Log({"KeyDown32", "KeyPress32", "KeyUp32", "KeyDown13", "KeyPress13", "KeyUp13"}));
}

TEST_F(CheckButtonTest, LayoutCentresGlyphAndCaptionOnTheRoundedDifferenceHalvedTowardZero) {
    struct Case {
        double height, top;
    };
    // 0.5 rounds to 0 and 1.5 to 2 (half to even); -3 halves to -1, not -2.
    for (const Case& k : {Case{150, -22}, Case{195.5, 0}, Case{196.5, 1}, Case{192, -1},
                          Case{194.5, 0}, Case{193.5, -1}, Case{255, 30}}) {
        SCOPED_TRACE(k.height);
        c->setHeight(k.height);
        EXPECT_EQ(c->glyph()->Top(), k.top);
        EXPECT_EQ(c->glyph()->Left(), 0);
        EXPECT_EQ(c->glyph()->Width(), 195);
        EXPECT_EQ(c->glyph()->Height(), 195);
        EXPECT_EQ(c->captionLabel()->Left(), 240);
    }
    c->setHeight(600);
    const double lblHeight = c->captionLabel()->Height();
    EXPECT_EQ(c->captionLabel()->Top(),
              static_cast<long long>(rt::roundHalfEven(600 - lblHeight)) / 2);
    EXPECT_EQ(c->Width(), 1800);
}

TEST_F(CheckButtonTest, GlyphMovesCountAsInsideAfterThePollSwitchedToPixels) {
    ASSERT_EQ(c->ScaleMode(), rt::vbPixels);
    host.moveTo(c->glyph(), QPoint(11, 11));
    EXPECT_EQ(shownIndex(*c), 1);
    EXPECT_EQ(log, Log({"MouseMove0"}));
}

TEST_F(CheckButtonTest, StoredSettingsLoadInOrderWithDefaultsAndSaveOnlyWhatDiffers) {
    rt::PropertyBag empty;
    c->writeProperties(empty);
    EXPECT_TRUE(empty.entries().empty());

    rt::PropertyBag bag;
    bag.WriteProperty(QStringLiteral("value"), 7);
    bag.WriteProperty(QStringLiteral("CAPTION"), QStringLiteral("Freeze"));
    bag.WriteProperty(QStringLiteral("Enabled"), false);
    bag.WriteProperty(QStringLiteral("BackColor"), QStringLiteral("&H00FFFFFF&"));
    bag.WriteProperty(QStringLiteral("ForeColor"), QStringLiteral("&HFF"));
    c->clearChangedProperties();
    c->readProperties(bag);
    EXPECT_EQ(c->Value(), 7);
    EXPECT_EQ(c->Caption(), QStringLiteral("Freeze"));
    EXPECT_FALSE(c->Enabled());
    EXPECT_EQ(c->BackColor(), 0xFFFFFF);
    EXPECT_EQ(c->ForeColor(), 0xFF);
    EXPECT_EQ(
        c->changedProperties(),
        QStringList({QStringLiteral("Value"), QStringLiteral("Caption"), QStringLiteral("Font"),
                     QStringLiteral("BackColor"), QStringLiteral("ForeColor")}));

    QFont f = c->Font();
    f.setPointSize(f.pointSize() + 3);
    c->setFont(f);
    rt::PropertyBag out;
    c->writeProperties(out);
    QStringList keys;
    for (const auto& e : out.entries()) keys << e.first;
    EXPECT_EQ(keys, QStringList({QStringLiteral("Font"), QStringLiteral("Value"),
                                 QStringLiteral("Caption"), QStringLiteral("Enabled"),
                                 QStringLiteral("BackColor"), QStringLiteral("ForeColor")}));

    CheckButton copy(&form);
    copy.readProperties(out);
    EXPECT_EQ(copy.Font(), f);
    EXPECT_EQ(copy.Value(), 7);
    EXPECT_FALSE(copy.Enabled());
    EXPECT_EQ(copy.captionLabel()->ForeColor(), CheckButton::kDisabledCaption);
}

}  // namespace
