// The two-line item under the virtual pointer: which parts raise events, the
// leave poll without capture, the colours of the three states, the layout,
// and its stored settings (defaults, round trips, a bad key).
#include "controls/nselection.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <string>
#include <vector>

#include "runtime/design.h"
#include "runtime/form.h"
#include "support/recordinghost.h"

namespace {

using controls::N_Selection;
using Log = std::vector<std::string>;

const QString kDescricao = QStringLiteral(u"Descri\u73A2o");

// Surface, caption and description of the normal, hover and down states.
constexpr rt::Long kN[3] = {0x111111, 0x010101, 0xA1A1A1};
constexpr rt::Long kH[3] = {0x222222, 0x020202, 0xA2A2A2};
constexpr rt::Long kD[3] = {0x333333, 0x030303, 0xA3A3A3};

class NSelectionTest : public ::testing::Test {
protected:
    void SetUp() override {
        form.setClientSize(6000, 3000);
        s = new N_Selection(&form);
        s->setObjectName(QStringLiteral("N_Selection3"));
        s->Move(600, 600, 3000, 615);  // 200 x 41 px at (40, 40)
        form.show();
        host.moveTo(outside());
    }

    void initColoured() {
        s->initNew();
        s->setBackColorNormal(kN[0]), s->setBackColorHover(kH[0]), s->setBackColorDown(kD[0]);
        s->setForeColorNormal(kN[1]), s->setForeColorHover(kH[1]), s->setForeColorDown(kD[1]);
        s->setForeColorNormal_2(kN[2]), s->setForeColorHover_2(kH[2]);
        s->setForeColorDown_2(kD[2]);
        const auto note = [this](const char* what) {
            return [this, what] { log.push_back(what); };
        };
        const auto noteMouse = [this](const char* what) {
            return [this, what](rt::Integer& btn, rt::Integer&, rt::Single&, rt::Single&) {
                log.push_back(what + std::to_string(btn));
            };
        };
        s->Click.handle(note("Click"));
        s->DblClick.handle(note("DblClick"));
        s->MouseMove.handle(noteMouse("MouseMove"));
        s->MouseDown.handle(noteMouse("MouseDown"));
        s->MouseUp.handle(noteMouse("MouseUp"));
        s->MouseEnter.handle(note("MouseEnter"));
        s->MouseLeave.handle(note("MouseLeave"));
        s->MouseOver.handle(note("MouseOver"));
        s->MouseOut.handle(note("MouseOut"));
    }

    QPoint outside() const { return form.mapToGlobal(QPoint(300, 150)); }
    void onPart(QWidget* part) { host.moveTo(part, part->rect().center()); }
    void expectShown(const rt::Long (&c)[3]) const {
        EXPECT_EQ(s->BackColor(), c[0]);
        EXPECT_EQ(s->label1()->ForeColor(), c[1]);
        EXPECT_EQ(s->labelDescricao()->ForeColor(), c[2]);
        // The Normal getters read what is shown.
        EXPECT_EQ(s->BackColorNormal(), c[0]);
        EXPECT_EQ(s->ForeColorNormal(), c[1]);
        EXPECT_EQ(s->ForeColorNormal_2(), c[2]);
    }

    testing_support::RecordingHost host;
    rt::Form form;
    N_Selection* s = nullptr;
    Log log;
};

TEST_F(NSelectionTest, DescriptionClicksOnceAndTheStripRaisesNothing) {
    initColoured();
    onPart(s->image1());
    host.click();
    host.doubleClick();
    EXPECT_EQ(log, Log{});
    EXPECT_EQ(s->buttonState(), N_Selection::StateNormal);

    onPart(s->labelDescricao());
    log.clear();
    host.click();
    EXPECT_EQ(log, (Log{"MouseDown1", "MouseUp1", "Click"}));
    log.clear();
    host.doubleClick();
    EXPECT_EQ(log, (Log{"MouseDown1", "MouseUp1", "Click", "DblClick", "MouseUp1", "Click"}));
}

TEST_F(NSelectionTest, HoverWithoutCaptureLeavesOnThePollTickWithoutMouseOut) {
    initColoured();
    host.moveTo(s, QPoint(100, 5));
    EXPECT_EQ(log, (Log{"MouseMove0", "MouseEnter"}));
    expectShown(kH);
    EXPECT_FALSE(s->MouseInside());
    EXPECT_EQ(host.capture, nullptr);
    onPart(s->label1());  // still hovering: one move, no second enter
    EXPECT_TRUE(s->timer1()->running());

    log.clear();
    host.moveTo(outside());  // nothing holds the pointer, so no move arrives
    EXPECT_EQ(log, Log{});
    expectShown(kH);
    s->timer1()->fire();
    s->timer1()->fire();
    EXPECT_EQ(log, (Log{"MouseLeave"}));
    expectShown(kN);
    EXPECT_FALSE(s->timer1()->running());
    EXPECT_FALSE(s->hoverFlag());
}

TEST_F(NSelectionTest, PressShowsDownColoursOfAllThreePartsAndReleaseHover) {
    initColoured();
    onPart(s->label1());
    host.press(Qt::LeftButton);
    expectShown(kD);
    host.release(Qt::LeftButton);
    expectShown(kH);
    host.press(Qt::RightButton);  // no down colours for another button
    expectShown(kH);
    host.release(Qt::RightButton);
    EXPECT_EQ(s->buttonState(), N_Selection::StateHover);

    // Enabled changes no colour; font changes touch the caption line only.
    s->setEnabled(false);
    expectShown(kH);
    const QFont description = s->labelDescricao()->Font()->qfont();
    s->setFontSize(12);
    s->setFontBold(true);
    EXPECT_EQ(s->FontSize(), 12);
    EXPECT_TRUE(s->label1()->FontBold());
    EXPECT_EQ(s->labelDescricao()->Font()->qfont(), description);
}

TEST_F(NSelectionTest, HeightSnapsToTheStripAndTheLinesMeetOnTheMiddle) {
    s->initNew();
    int resizes = 0;
    s->Resize.handle([&] { ++resizes; });
    s->Move(600, 600, 4000, 900);
    EXPECT_DOUBLE_EQ(s->twipsRect().height(), 615);
    EXPECT_DOUBLE_EQ(s->twipsRect().width(), 4000);
    EXPECT_EQ(resizes, 2);  // the host's size, then the snapped one
    EXPECT_DOUBLE_EQ(s->label1()->Top() + s->label1()->Height(), 20.5);
    EXPECT_DOUBLE_EQ(s->labelDescricao()->Top(), 20.5);
    EXPECT_DOUBLE_EQ(s->label1()->Left(), 35);
    EXPECT_DOUBLE_EQ(s->labelDescricao()->Left(), 35);
    EXPECT_DOUBLE_EQ(s->image1()->Left(), 0);
    EXPECT_DOUBLE_EQ(s->image1()->Width(), 14);
}

// ---------------------------------------------------------------- settings

TEST_F(NSelectionTest, NewItemIsWhiteOnBlackThroughTheSettersInOrder) {
    s->initNew();
    QStringList expected;
    for (const char* n :
         {"Caption", "Description", "Enabled", "BackColorNormal", "BackColorHover", "BackColorDown",
          "FontSize", "FontBold", "ForeColorNormal", "ForeColorHover", "ForeColorDown",
          "ForeColorNormal_2", "ForeColorHover_2", "ForeColorDown_2"})
        expected << QLatin1String(n);
    EXPECT_EQ(s->changedProperties(), expected);
    EXPECT_EQ(s->Caption(), QStringLiteral("N_Selection3"));
    EXPECT_EQ(s->Description(), kDescricao);
    EXPECT_EQ(s->Description().size(), 8);
    EXPECT_EQ(s->BackColorNormal(), 0x000000);
    EXPECT_EQ(s->BackColorHover(), 0x2D2D2D);
    EXPECT_EQ(s->ForeColorNormal(), 0xFFFFFF);
    EXPECT_EQ(s->ForeColorDown_2(), 0x000000);
    EXPECT_EQ(s->Font().family(), QStringLiteral("Verdana"));
}

TEST_F(NSelectionTest, EmptyBagGivesTheReadDefaultsBlackOnBlack) {
    rt::PropertyBag bag;
    s->readProperties(bag);
    EXPECT_EQ(s->Caption(), QStringLiteral("NSelection1"));
    EXPECT_EQ(s->Description(), kDescricao);
    EXPECT_EQ(s->BackColorNormal(), 0x000000);
    EXPECT_EQ(s->BackColorHover(), 0x2D2D2D);
    EXPECT_EQ(s->BackColorDown(), 0x80FFFF);
    for (rt::Long c :
         {s->ForeColorNormal(), s->ForeColorHover(), s->ForeColorNormal_2(), s->ForeColorHover_2()})
        EXPECT_EQ(c, 0x000000);
    EXPECT_EQ(s->ForeColorDown(), 0xFFFFFF);
    EXPECT_EQ(s->ForeColorDown_2(), 0xFFFFFF);
    EXPECT_EQ(s->FontSize(), 8);
    EXPECT_FALSE(s->FontBold());
    EXPECT_TRUE(s->Enabled());
    EXPECT_EQ(s->Font().family(), QStringLiteral("MS Sans Serif"));
}

TEST_F(NSelectionTest, SavedWhileHoveredReloadsEveryNormalSettingAsSet) {
    initColoured();
    // Values equal to the defaults the format would write with.
    s->setCaption(QString());
    s->setDescription(QString());
    s->setForeColorNormal(0xFF8080), s->setForeColorHover(0xFF8080);
    s->setForeColorNormal_2(0xFF8080), s->setForeColorHover_2(0xFF8080);
    s->setFontBold(true);
    host.moveTo(s, QPoint(100, 5));
    ASSERT_EQ(s->buttonState(), N_Selection::StateHover);

    rt::PropertyBag bag;
    s->writeProperties(bag);
    auto* back = new N_Selection(&form);
    back->readProperties(bag);
    EXPECT_EQ(back->Caption(), QString());
    EXPECT_EQ(back->Description(), QString());
    EXPECT_EQ(back->BackColorNormal(), kN[0]);
    EXPECT_EQ(back->BackColorHover(), kH[0]);
    EXPECT_EQ(back->BackColorDown(), kD[0]);
    EXPECT_EQ(back->ForeColorNormal(), 0xFF8080);
    EXPECT_EQ(back->ForeColorHover(), 0xFF8080);
    EXPECT_EQ(back->ForeColorDown(), kD[1]);
    EXPECT_EQ(back->ForeColorNormal_2(), 0xFF8080);
    EXPECT_EQ(back->ForeColorHover_2(), 0xFF8080);
    EXPECT_EQ(back->ForeColorDown_2(), kD[2]);
    EXPECT_TRUE(back->FontBold());
    EXPECT_EQ(back->Font().family(), QStringLiteral("Verdana"));

    // A new item's normal back colour equals its read default: not stored.
    rt::PropertyBag fresh;
    auto* plain = new N_Selection(&form);
    plain->initNew();
    plain->writeProperties(fresh);
    EXPECT_FALSE(fresh.contains(QStringLiteral("BackColorNormal")));
    EXPECT_TRUE(fresh.contains(QStringLiteral("ForeColorNormal")));
}

TEST_F(NSelectionTest, BadKeyStopsLoadingSilentlyAndKeepsWhatCameBefore) {
    rt::PropertyBag bag;
    bag.WriteProperty(QStringLiteral("caption"), QStringLiteral("一项"));
    bag.WriteProperty(QStringLiteral("backcolornormal"), QStringLiteral("&H00FF0000&"));
    bag.WriteProperty(QStringLiteral("backcolorhover"), QStringLiteral("x"));
    bag.WriteProperty(QStringLiteral("forecolornormal"), QStringLiteral("&H00FFFFFF&"));
    EXPECT_NO_THROW(s->readProperties(bag));
    EXPECT_EQ(s->Caption(), QStringLiteral("一项"));
    EXPECT_EQ(s->BackColorNormal(), 0xFF0000);
    EXPECT_EQ(s->changedProperties().last(), QStringLiteral("BackColorNormal"));
    EXPECT_EQ(s->BackColorHover(), 0);
    EXPECT_EQ(s->ForeColorNormal(), 0);  // the design black stays
    EXPECT_EQ(s->ForeColorNormal_2(), 0x808080);
}

TEST_F(NSelectionTest, DesignLoaderPlacesAnItemFromItsBag) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("item.json"));
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(R"({"name": "Items", "caption": "Items", "clientWidth": 6000, "clientHeight": 3000,
          "controls": [{"type": "N_Selection", "name": "Item1", "left": 0, "top": 0,
                        "width": 3000, "height": 300,
                        "bag": {"caption": "设备", "forecolornormal": "&H00FFFFFF&"}}]})");
    }
    rt::Form window;
    rt::design::load(window, path);
    auto* item = window.ctl<N_Selection>(QStringLiteral("Item1"));
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->Caption(), QStringLiteral("设备"));
    EXPECT_EQ(item->ForeColorNormal(), 0xFFFFFF);
    EXPECT_DOUBLE_EQ(item->twipsRect().height(), 615);
}

}  // namespace
