// The radio button: selection within its group, the space bar on the focused
// glyph, focus looks, the hover and leave poll, disabled looks, stored
// settings, and both skinned boxes placed from a window's design data.
#include "controls/optionbutton.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <string>
#include <vector>

#include "controls/checkbutton.h"
#include "controls/skins.h"
#include "runtime/design.h"
#include "runtime/form.h"
#include "runtime/frame.h"
#include "support/recordinghost.h"

namespace {

using controls::OptionButton;
using Log = std::vector<std::string>;

// A window cannot set the group flag.
template <class T>
concept GroupSettable = requires(T& o) {
    o.setGroup(true);
};
static_assert(!GroupSettable<OptionButton>);

int shownIndex(const OptionButton& o) {
    const auto& pics = controls::skins::optionPictures();
    for (std::size_t i = 0; i < pics.size(); ++i)
        if (o.glyph()->Picture() == pics[i]) return static_cast<int>(i);
    return -1;
}

class OptionButtonTest : public ::testing::Test {
protected:
    void SetUp() override {
        form.setClientSize(9000, 4500);
        frame = new rt::Frame(&form);
        frame->setObjectName(QStringLiteral("Frame1"));
        form.addControl(frame);
        frame->Move(4500, 0, 3000, 3000);
        a = place(QStringLiteral("a"), &form, 300, false);
        b = place(QStringLiteral("b"), &form, 700, false);
        d = place(QStringLiteral("d"), &form, 1100, false);
        g = place(QStringLiteral("g"), &form, 1500, true);
        f = place(QStringLiteral("f"), frame, 300, false);
        d->setEnabled(false);
        form.show();
        QApplication::setActiveWindow(&form);
        // Activation focuses the first glyph; start every test with no focus,
        // normal looks and an empty log.
        if (QWidget* w = QApplication::focusWidget()) w->clearFocus();
        away();
        for (auto* o : {a, b, d, g, f}) {
            o->pollTimer()->fire();
            o->clearChangedProperties();
        }
        log.clear();
    }

    OptionButton* place(const QString& name, QWidget* container, double top, bool group) {
        auto* o = new OptionButton(container);
        o->setObjectName(name);
        form.addControl(o);
        o->Move(300, top, 1800, 255);
        rt::PropertyBag bag;
        if (group) bag.WriteProperty(QStringLiteral("Group"), true);
        o->readProperties(bag);
        const std::string n = name.toStdString();
        auto record = [this, n](const char* what) {
            return [this, n, what](rt::Integer& k, rt::Integer&) {
                log.push_back(n + what + std::to_string(k));
            };
        };
        auto mouse = [this, n](const char* what) {
            return [this, n, what](rt::Integer& btn, rt::Integer& s, rt::Single& x, rt::Single& y) {
                log.push_back(n + what + std::to_string(btn));
                lastMove = {s, x, y};
            };
        };
        o->Click.handle([this, n, o] { log.push_back(n + ":Click" + (o->Value() ? "1" : "0")); });
        o->KeyDown.handle(record(":KeyDown"));
        o->KeyPress.handle(
            [this, n](rt::Integer& k) { log.push_back(n + ":KeyPress" + std::to_string(k)); });
        o->KeyUp.handle(record(":KeyUp"));
        o->MouseOut.handle([this, n] { log.push_back(n + ":MouseOut"); });
        o->MouseDown.handle(mouse(":MouseDown"));
        o->MouseMove.handle(mouse(":MouseMove"));
        o->MouseUp.handle(mouse(":MouseUp"));
        return o;
    }

    void away() { host.moveTo(form.mapToGlobal(QPoint(150, 280))); }
    void onCaption(OptionButton* o) { host.moveTo(o->captionLabel(), QPoint(2, 2)); }
    void onSurface(OptionButton* o) { host.moveTo(o, QPoint(100, 8)); }
    long count(const std::string& entry) const { return std::count(log.begin(), log.end(), entry); }

    // The log outlives the window: closing it moves the focus one last time.
    Log log;
    struct {
        rt::Integer shift;
        rt::Single x, y;
    } lastMove{-1, -1, -1};
    testing_support::RecordingHost host;
    rt::Form form;
    rt::Frame* frame = nullptr;
    OptionButton *a = nullptr, *b = nullptr, *d = nullptr, *g = nullptr, *f = nullptr;
};

TEST(OptionButtonLifecycle, CreationShowsTheDisabledLookUntilTheSettingsArrive) {
    testing_support::RecordingHost host;
    rt::Form form;
    OptionButton o(&form);
    o.setObjectName(QStringLiteral("Option3"));
    EXPECT_EQ(o.glyph()->Picture(), controls::skins::optionPictures()[3]);
    EXPECT_FALSE(o.pollTimer()->Enabled());
    EXPECT_EQ(o.pollTimer()->Interval(), 50);
    EXPECT_EQ(o.hoverIndex(), 1);
    EXPECT_FALSE(o.Group());
    o.initNew();
    EXPECT_EQ(o.glyph()->Picture(), controls::skins::optionPictures()[0]);
    EXPECT_EQ(o.Caption(), QStringLiteral("Option3"));
    EXPECT_TRUE(o.Enabled());
    EXPECT_FALSE(o.Value());
    EXPECT_EQ(o.BackColor(), rt::sysColor(0x0F));
    EXPECT_EQ(o.glyph()->BackColor(), rt::sysColor(0x0F));
    EXPECT_EQ(o.ForeColor(), 0);
    EXPECT_EQ(o.changedProperties(),
              QStringList({QStringLiteral("Caption"), QStringLiteral("Enabled"),
                           QStringLiteral("Value"), QStringLiteral("Font"),
                           QStringLiteral("BackColor"), QStringLiteral("ForeColor")}));
}

TEST_F(OptionButtonTest, ClickClearsTheSameContainerAndGroupOnlyAndRaisesOneClick) {
    for (auto* o : {a, d, g, f}) o->setValue(true);
    onCaption(b);
    host.click();
    EXPECT_TRUE(b->Value());
    EXPECT_FALSE(a->Value());
    EXPECT_FALSE(d->Value());  // disabled members are cleared too
    EXPECT_EQ(shownIndex(*d), 3);
    EXPECT_TRUE(g->Value());  // the other group flag
    EXPECT_TRUE(f->Value());  // another container
    EXPECT_EQ(count("b:Click1"), 1);
    EXPECT_EQ(
        std::count_if(log.begin(), log.end(),
                      [](const std::string& e) { return e.find("Click") != std::string::npos; }),
        1);
    EXPECT_EQ(shownIndex(*b), 4);

    // Selecting in the other group leaves this one alone.
    log.clear();
    g->setValue(false);
    host.moveTo(g->glyph(), QPoint(6, 6));
    host.click();
    EXPECT_TRUE(g->Value());
    EXPECT_TRUE(b->Value());
    EXPECT_EQ(count("g:Click1"), 1);
}

TEST_F(OptionButtonTest, ClickOnTheSelectedButtonRaisesNothingAndPutsTheNormalLookBack) {
    b->setValue(true);
    host.moveTo(b->glyph(), QPoint(6, 6));
    host.press(Qt::LeftButton);
    EXPECT_EQ(shownIndex(*b), 6);
    EXPECT_TRUE(b->pressed());
    host.release(Qt::LeftButton);
    EXPECT_FALSE(b->pressed());
    EXPECT_TRUE(b->Value());
    EXPECT_EQ(shownIndex(*b), 4);
    EXPECT_EQ(count("b:Click1") + count("b:Click0"), 0);
    EXPECT_EQ(log, Log({"b:MouseMove0", "b:MouseDown1", "b:MouseUp1"}));
}

TEST_F(OptionButtonTest, ValueFromCodeSelectsWithoutClearingOrEvents) {
    a->setValue(true);
    b->setValue(true);
    EXPECT_TRUE(a->Value());
    EXPECT_TRUE(b->Value());
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(b->changedProperties(), QStringList({QStringLiteral("Value")}));
    // The next selection by the user clears the whole group again.
    d->setEnabled(true);
    onCaption(d);
    host.click();
    EXPECT_FALSE(a->Value());
    EXPECT_FALSE(b->Value());
    EXPECT_TRUE(d->Value());
}

TEST_F(OptionButtonTest, SpaceBarClicksTwiceOnAnUnselectedButtonAndOnceOnASelectedOne) {
    a->setValue(true);
    b->glyph()->setFocus();
    ASSERT_TRUE(b->glyph()->hasFocus());
    log.clear();
    QTest::keyPress(b->glyph(), Qt::Key_Space);
    EXPECT_TRUE(b->pressed());
    EXPECT_EQ(shownIndex(*b), 2);
    QTest::keyRelease(b->glyph(), Qt::Key_Space);
    EXPECT_FALSE(b->pressed());
    EXPECT_EQ(log, Log({"b:KeyDown32", "b:KeyPress32", "b:Click0", "b:MouseDown1", "b:KeyUp32",
                        "b:Click1"}));
    EXPECT_FALSE(a->Value());

    log.clear();
    QTest::keyClick(b->glyph(), Qt::Key_Space);
    EXPECT_EQ(log, Log({"b:KeyDown32", "b:KeyPress32", "b:Click1", "b:MouseDown1", "b:KeyUp32"}));

    log.clear();
    QTest::keyClick(b->glyph(), Qt::Key_A);
    QTest::keyClick(b->glyph(), Qt::Key_Return);
    EXPECT_EQ(log, Log({"b:KeyDown65", "b:KeyDown13"}));
}

TEST_F(OptionButtonTest, MouseMoveOncePerEntryAndOneMouseOutAfterLeaving) {
    host.moveTo(b->glyph(), QPoint(3, 3));
    host.moveTo(b->glyph(), QPoint(6, 6));
    onCaption(b);
    onSurface(b);
    EXPECT_EQ(shownIndex(*b), 1);
    EXPECT_EQ(b->hoverIndex(), 1);
    EXPECT_EQ(log, Log({"b:MouseMove0"}));
    b->pollTimer()->fire();
    EXPECT_EQ(shownIndex(*b), 1);
    away();
    b->pollTimer()->fire();
    b->pollTimer()->fire();
    EXPECT_EQ(shownIndex(*b), 0);
    EXPECT_EQ(b->hoverIndex(), 1);
    EXPECT_EQ(count("b:MouseOut"), 1);
    onCaption(b);
    EXPECT_EQ(count("b:MouseMove0"), 2);

    // Selected: the hover picture of the selected ring.
    b->setValue(true);
    onSurface(b);
    EXPECT_EQ(shownIndex(*b), 5);
    EXPECT_EQ(b->hoverIndex(), 5);
}

TEST_F(OptionButtonTest, WhileAButtonIsPressedMovesChangeNothingAndThePollWaits) {
    host.moveTo(b->glyph(), QPoint(6, 6));
    host.press(Qt::RightButton);
    // The press gave the glyph the focus, which stops the poll; a poll that
    // is still running (a focus that stayed elsewhere) must wait for the
    // release all the same.
    EXPECT_EQ(QApplication::focusWidget(), b->glyph());
    b->pollTimer()->setEnabled(true);
    log.clear();
    host.moveTo(b->glyph(), QPoint(8, 8));
    onCaption(b);
    EXPECT_EQ(shownIndex(*b), 2);
    away();
    b->pollTimer()->fire();
    EXPECT_TRUE(b->pollTimer()->running());
    EXPECT_EQ(shownIndex(*b), 2);
    EXPECT_TRUE(log.empty());
    host.release(Qt::RightButton);
    b->pollTimer()->fire();
    EXPECT_EQ(shownIndex(*b), 0);
    EXPECT_EQ(log, Log({"b:MouseUp2", "b:MouseOut"}));
}

TEST_F(OptionButtonTest, APressBringsTheFocusFirstThenTheMouseDown) {
    away();
    host.moveTo(b->glyph(), QPoint(6, 6));
    EXPECT_TRUE(b->pollTimer()->running());
    log.clear();
    host.press(Qt::LeftButton);
    EXPECT_EQ(QApplication::focusWidget(), b->glyph());
    EXPECT_FALSE(b->pollTimer()->running());
    EXPECT_EQ(log, Log({"b:MouseDown1"}));
    EXPECT_EQ(shownIndex(*b), 2);
    host.release(Qt::LeftButton);
    EXPECT_TRUE(b->Value());
}

TEST_F(OptionButtonTest, FocusKeepsTheHoverLookUntilItLeavesThenThePollRestoresIt) {
    b->glyph()->setFocus();
    EXPECT_EQ(shownIndex(*b), 1);
    EXPECT_EQ(log, Log({"b:MouseMove0"}));
    EXPECT_EQ(lastMove.shift, 0);
    EXPECT_EQ(lastMove.x, 0);
    EXPECT_EQ(lastMove.y, 0);
    EXPECT_FALSE(b->pollTimer()->running());
    log.clear();
    a->glyph()->setFocus();
    EXPECT_EQ(b->hoverIndex(), 1);
    EXPECT_EQ(shownIndex(*b), 1);
    EXPECT_TRUE(b->pollTimer()->running());
    EXPECT_EQ(count("b:MouseMove0"), 1);
    b->pollTimer()->fire();
    EXPECT_EQ(shownIndex(*b), 0);
    EXPECT_EQ(count("b:MouseOut"), 1);
    EXPECT_EQ(count("a:MouseOut"), 0);
    EXPECT_EQ(shownIndex(*a), 1);  // a keeps its focus look
}

TEST_F(OptionButtonTest, DisabledShowsGreyLooksStopsThePollAndRaisesNoMouseEvents) {
    onSurface(b);
    ASSERT_TRUE(b->pollTimer()->running());
    b->setForeColor(0x123456);
    b->clearChangedProperties();
    b->setEnabled(false);
    EXPECT_EQ(b->changedProperties(), QStringList({QStringLiteral("Enabled")}));
    EXPECT_FALSE(b->pollTimer()->running());
    EXPECT_EQ(shownIndex(*b), 3);
    EXPECT_EQ(b->captionLabel()->ForeColor(), OptionButton::kDisabledCaption);
    b->setValue(true);
    EXPECT_EQ(shownIndex(*b), 7);
    b->setForeColor(0x654321);
    EXPECT_EQ(b->captionLabel()->ForeColor(), OptionButton::kDisabledCaption);
    log.clear();
    host.moveTo(b->glyph(), QPoint(6, 6));
    host.press(Qt::LeftButton);
    host.moveTo(b->glyph(), QPoint(7, 7));
    host.release(Qt::LeftButton);
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(shownIndex(*b), 7);
    b->setEnabled(true);
    EXPECT_EQ(shownIndex(*b), 4);
    EXPECT_EQ(b->captionLabel()->ForeColor(), 0x654321);
}

TEST_F(OptionButtonTest, ClosingTheWindowWithAFocusedButtonRaisesNothing) {
    b->glyph()->setFocus();
    log.clear();
    form.hide();
    EXPECT_TRUE(log.empty());
    EXPECT_FALSE(b->pollTimer()->running());
}

TEST_F(OptionButtonTest, DisablingTheFocusedButtonRaisesNoMove) {
    b->glyph()->setFocus();
    log.clear();
    b->setEnabled(false);
    EXPECT_FALSE(b->glyph()->hasFocus());
    EXPECT_EQ(count("b:MouseMove0"), 0);
    EXPECT_FALSE(b->pollTimer()->running());
}

TEST_F(OptionButtonTest, StoredSettingsLoadWithDefaultsAndEveryCaptionSurvivesARoundTrip) {
    EXPECT_EQ(a->Caption(), QStringLiteral("Option1"));
    EXPECT_TRUE(a->Enabled());
    EXPECT_FALSE(a->Value());
    EXPECT_FALSE(a->Group());
    EXPECT_TRUE(g->Group());
    rt::PropertyBag none;
    a->writeProperties(none);
    EXPECT_TRUE(none.entries().empty());

    rt::PropertyBag bag;
    bag.WriteProperty(QStringLiteral("ForeColor"), QStringLiteral("&H0000FF00&"));
    bag.WriteProperty(QStringLiteral("caption"), QStringLiteral("Option"));
    bag.WriteProperty(QStringLiteral("Value"), true);
    bag.WriteProperty(QStringLiteral("group"), QStringLiteral("True"));
    bag.WriteProperty(QStringLiteral("Enabled"), false);
    OptionButton o(&form);
    o.readProperties(bag);
    EXPECT_EQ(o.changedProperties(),
              QStringList({QStringLiteral("Enabled"), QStringLiteral("Value"),
                           QStringLiteral("Font"), QStringLiteral("Caption"),
                           QStringLiteral("BackColor"), QStringLiteral("ForeColor")}));
    EXPECT_TRUE(o.Group());
    EXPECT_TRUE(o.Value());
    EXPECT_EQ(shownIndex(o), 7);
    EXPECT_EQ(o.ForeColor(), 0x00FF00);

    rt::PropertyBag out;
    o.writeProperties(out);
    QStringList keys;
    for (const auto& e : out.entries()) keys << e.first;
    EXPECT_EQ(keys, QStringList({QStringLiteral("Enabled"), QStringLiteral("Value"),
                                 QStringLiteral("Group"), QStringLiteral("Caption"),
                                 QStringLiteral("ForeColor")}));
    OptionButton back(&form);
    back.readProperties(out);
    EXPECT_EQ(back.Caption(), QStringLiteral("Option"));
    EXPECT_TRUE(back.Group());
    EXPECT_FALSE(back.Enabled());
}

TEST(SkinnedBoxesOnAWindow, PlacedFromDesignDataWithTheirStoredSettings) {
    testing_support::RecordingHost host;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("w.json"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(
        R"({"name": "Form9", "caption": "w", "clientWidth": 6000, "clientHeight": 3000, "controls": [
      {"type": "CheckButton", "name": "chkFreeze", "left": 120, "top": 120, "width": 1800, "height": 255,
       "bag": {"Caption": "Freeze", "Value": 1, "BackColor": "&H00FFFFFF&"}},
      {"type": "Frame", "name": "fra", "left": 2400, "top": 0, "width": 3000, "height": 2000},
      {"type": "OptionButton", "name": "optA", "container": "fra", "left": 120, "top": 300, "width": 1800, "height": 255,
       "bag": {"Value": true}},
      {"type": "OptionButton", "name": "optB", "container": "fra", "left": 120, "top": 700, "width": 1800, "height": 255,
       "bag": {"Value": true, "Caption": "B"}}
    ]})");
    file.close();
    rt::Form form;
    rt::design::load(form, path);
    auto* chk = form.ctl<controls::CheckButton>(QStringLiteral("chkFreeze"));
    auto* optA = form.ctl<OptionButton>(QStringLiteral("optA"));
    auto* optB = form.ctl<OptionButton>(QStringLiteral("optB"));
    ASSERT_TRUE(chk && optA && optB);
    EXPECT_EQ(chk->Value(), 1);
    EXPECT_EQ(chk->Caption(), QStringLiteral("Freeze"));
    EXPECT_EQ(chk->BackColor(), 0xFFFFFF);
    EXPECT_EQ(optA->Caption(), QStringLiteral("Option1"));
    // Restored as saved, without a group walk.
    EXPECT_TRUE(optA->Value());
    EXPECT_TRUE(optB->Value());

    // A window's handler reads and writes Value.
    rt::Long seen = -1;
    chk->Click.handle([&] {
        seen = chk->Value();
        optB->setValue(seen == 1);
    });
    int clicksB = 0;
    optB->Click.handle([&] { ++clicksB; });
    form.show();
    host.moveTo(chk->glyph(), QPoint(6, 6));
    host.click();
    EXPECT_EQ(seen, 0);
    EXPECT_FALSE(optB->Value());
    EXPECT_TRUE(optA->Value());
    host.moveTo(optB->captionLabel(), QPoint(1, 1));
    host.click();
    EXPECT_FALSE(optA->Value());
    EXPECT_TRUE(optB->Value());
    EXPECT_EQ(clicksB, 1);
}

}  // namespace
