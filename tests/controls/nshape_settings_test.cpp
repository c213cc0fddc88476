// The push button's stored settings: new-instance defaults, loading with the
// read defaults (keys in any case, stop at the first bad value), saving so
// that every setting reloads as saved, and the shipped look read through the
// window design loader.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <memory>
#include <string>

#include "controls/nshape.h"
#include "runtime/convert.h"
#include "runtime/design.h"
#include "runtime/form.h"
#include "support/recordinghost.h"

namespace {

using controls::N_Shape;

rt::PicturePtr solidPicture() {
    QImage img(16, 16, QImage::Format_RGB32);
    img.fill(Qt::blue);
    return std::make_shared<rt::Picture>(img);
}

QStringList names(std::initializer_list<const char*> list) {
    QStringList r;
    for (const char* n : list) r << QLatin1String(n);
    return r;
}

// One button as the main program's windows store it.
constexpr const char* kShippedWindow = R"({
  "name": "Shipped", "caption": "Shipped", "clientWidth": 6000, "clientHeight": 3000,
  "controls": [
    {"type": "N_Shape", "name": "N_Shapeegg", "left": 600, "top": 600, "width": 1800, "height": 450, "bag": {
      "stretch": false, "caption": "Reboot",
      "background": "&H00FFFFFF&", "backcolornormal": "&H00FFFFFF&", "backcolorhover": "&H00FFFFFF&", "backcolordown": "&H00FFFFFF&",
      "bordercolornormal": "&H00E0E0E0&", "bordercolorhover": "&H00000000&", "bordercolordown": "&H00C0C0C0&", "bordercustom": "&H00FFFFFF&",
      "forecolornormal": "&H00000000&", "forecolorhover": "&H00000000&", "forecolordown": "&H00C0C0C0&",
      "font": {"font": "Verdana"}, "fontsize": 10, "text_visible": true, "stretchtotext": false, "style": 0}}
  ]
})";

class NShapeSettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        form.setClientSize(6000, 3000);
        b = new N_Shape(&form);
        b->setObjectName(QStringLiteral("N_Shape7"));
        b->Move(600, 600, 1800, 450);
    }
    void read(rt::PropertyBag bag) { b->readProperties(bag); }

    testing_support::RecordingHost host;
    rt::Form form;
    N_Shape* b = nullptr;
};

TEST_F(NShapeSettingsTest, NewInstanceTakesItsDefaultsThroughTheSettersInOrder) {
    b->initNew();
    EXPECT_EQ(
        b->changedProperties(),
        names({"Caption", "Enabled", "BackGround", "BackColorNormal", "BackColorHover",
               "BackColorDown", "BorderColorNormal", "BorderColorHover", "BorderColorDown",
               "FontSize", "FontBold", "BorderGotFocus", "BorderCustom", "ForeColorNormal",
               "ForeColorHover", "ForeColorDown", "Graphical", "Text_Visible", "StretchToText"}));
    EXPECT_EQ(b->Caption(), QStringLiteral("N_Shape7"));
    EXPECT_EQ(b->BackColorNormal(), 0xEFF1F2);
    EXPECT_EQ(b->BackColorHover(), 0xE0E0E0);
    EXPECT_EQ(b->BorderColorDown(), 0xB3B3B3);
    EXPECT_EQ(b->FontSize(), 8);
    EXPECT_EQ(b->Font().family(), QStringLiteral("Verdana"));
    EXPECT_EQ(b->Style(), 4);  // the design value stays
    EXPECT_DOUBLE_EQ(b->twipsRect().width(), (b->label1()->Width() + 16) * 15);
}

TEST_F(NShapeSettingsTest, EmptyBagGivesEveryReadDefault) {
    read({});
    EXPECT_EQ(b->Caption(), QStringLiteral("NShape1"));
    EXPECT_EQ(b->BackGround(), 0xFF8080);
    EXPECT_EQ(b->BackColorNormal(), 0x8080FF);
    EXPECT_EQ(b->BackColorHover(), 0x80C0FF);
    EXPECT_EQ(b->BackColorDown(), 0x80FFFF);
    for (rt::Long c : {b->ForeColorNormal(), b->ForeColorHover(), b->ForeColorDown()})
        EXPECT_EQ(c, 0x8080FF);
    for (rt::Long c : {b->BorderColorNormal(), b->BorderColorHover(), b->BorderColorDown()})
        EXPECT_EQ(c, 0xFFFF80);
    EXPECT_EQ(b->BorderCustom(), 0x80FF80);
    EXPECT_FALSE(b->Text_Visible());
    EXPECT_TRUE(b->StretchToText());
    EXPECT_FALSE(b->Graphical());
    EXPECT_TRUE(b->Enabled());
    EXPECT_EQ(b->Style(), 4);
    EXPECT_EQ(b->FontSize(), 8);
    EXPECT_EQ(b->Font().family(), QStringLiteral("MS Sans Serif"));
    EXPECT_EQ(b->width(), 16);  // stretched with nothing shown
}

TEST_F(NShapeSettingsTest, ShippedLookLoadsFromLowerCaseKeysThroughTheDesignLoader) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("shipped.json"));
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(kShippedWindow);
    }
    rt::Form window;
    rt::design::load(window, path);
    auto* btn = window.ctl<N_Shape>(QStringLiteral("N_Shapeegg"));
    ASSERT_NE(btn, nullptr);
    EXPECT_EQ(btn->Caption(), QStringLiteral("Reboot"));
    EXPECT_EQ(btn->BackColorNormal(), 0xFFFFFF);
    EXPECT_EQ(btn->BorderColorNormal(), 0xE0E0E0);
    EXPECT_EQ(btn->Style(), 0);
    EXPECT_EQ(btn->FontSize(), 10);
    EXPECT_EQ(btn->Font().family(), QStringLiteral("Verdana"));
    EXPECT_TRUE(btn->label1()->Visible());
    EXPECT_DOUBLE_EQ(btn->Width(), 1800);  // fixed size, caption centred
    EXPECT_DOUBLE_EQ(btn->label1()->Left(), (120 - btn->label1()->Width()) / 2);

    // Black border under the pointer; grey border and caption while pressed.
    int clicks = 0;
    btn->Click.handle([&] { ++clicks; });
    window.show();
    host.moveTo(window.mapToGlobal(QPoint(390, 190)));
    host.moveTo(btn, QPoint(2, 2));
    EXPECT_EQ(btn->shape1()->BorderColor(), 0x000000);
    host.press(Qt::LeftButton);
    EXPECT_EQ(btn->shape1()->BorderColor(), 0xC0C0C0);
    EXPECT_EQ(btn->label1()->ForeColor(), 0xC0C0C0);
    host.release(Qt::LeftButton);
    EXPECT_EQ(clicks, 1);
}

TEST_F(NShapeSettingsTest, BadValueStopsLoadingAndKeepsWhatCameBefore) {
    rt::PropertyBag bag;
    bag.WriteProperty(QStringLiteral("caption"), QStringLiteral("Half"));
    bag.WriteProperty(QStringLiteral("backcolorhover"), QStringLiteral("not a colour"));
    bag.WriteProperty(QStringLiteral("text_visible"), true);
    read(bag);
    EXPECT_EQ(b->Caption(), QStringLiteral("Half"));
    EXPECT_EQ(b->BackColorNormal(), 0x8080FF);
    EXPECT_EQ(b->changedProperties().last(), QStringLiteral("BackColorNormal"));
    // Everything after the bad key keeps what creation gave it.
    EXPECT_EQ(b->BackColorHover(), 0);
    EXPECT_EQ(b->BorderColorNormal(), 0xB3B3B3);
    EXPECT_FALSE(b->Text_Visible());
    EXPECT_DOUBLE_EQ(b->Width(), 1800);

    // A picture key that holds no picture is a bad value too.
    auto* other = new N_Shape(&form);
    rt::PropertyBag noPicture;
    noPicture.WriteProperty(QStringLiteral("Picture_Normal"), QStringLiteral("icon.png"));
    other->readProperties(noPicture);
    EXPECT_TRUE(other->changedProperties().isEmpty());
}

TEST_F(NShapeSettingsTest, StoredPictureAppearsOnlyAtTheNextRepaint) {
    const auto normal = solidPicture();
    rt::PropertyBag bag;
    bag.WriteProperty(QStringLiteral("picture_normal"), QVariant::fromValue(normal));
    read(bag);
    EXPECT_EQ(b->Picture_Normal(), normal);
    EXPECT_FALSE(b->changedProperties().contains(QStringLiteral("Picture_Normal")));
    EXPECT_EQ(b->CurPicture(), 0);
    b->Refresh();
    EXPECT_EQ(b->CurPicture(), 3);
}

// Every setting a button stores, with the values a round trip must keep.
struct Settings {
    QString caption;
    rt::Long background, backNormal, backHover, backDown;
    rt::Long borderNormal, borderHover, borderDown, borderCustom;
    rt::Long foreNormal, foreHover, foreDown;
    rt::Integer fontSize;
    bool bold, borderGotFocus, graphical, textVisible, stretchToText, stretch;
    rt::Long style;
};

void apply(N_Shape& b, const Settings& s) {
    b.setCaption(s.caption);
    b.setBackGround(s.background);
    b.setBackColorNormal(s.backNormal), b.setBackColorHover(s.backHover);
    b.setBackColorDown(s.backDown);
    b.setBorderColorNormal(s.borderNormal), b.setBorderColorHover(s.borderHover);
    b.setBorderColorDown(s.borderDown), b.setBorderCustom(s.borderCustom);
    b.setForeColorNormal(s.foreNormal), b.setForeColorHover(s.foreHover);
    b.setForeColorDown(s.foreDown);
    b.setFontSize(s.fontSize), b.setFontBold(s.bold), b.setBorderGotFocus(s.borderGotFocus);
    b.setGraphical(s.graphical), b.setText_Visible(s.textVisible);
    b.setStretchToText(s.stretchToText), b.setStretch(s.stretch), b.setStyle(s.style);
}

// Read on an enabled button in the normal state, where the Normal getters
// report the members.
void expectSettings(const N_Shape& b, const Settings& s) {
    EXPECT_EQ(b.Caption(), s.caption);
    EXPECT_EQ(b.BackGround(), s.background);
    EXPECT_EQ(b.BackColorNormal(), s.backNormal);
    EXPECT_EQ(b.BackColorHover(), s.backHover);
    EXPECT_EQ(b.BackColorDown(), s.backDown);
    EXPECT_EQ(b.BorderColorNormal(), s.borderNormal);
    EXPECT_EQ(b.BorderColorHover(), s.borderHover);
    EXPECT_EQ(b.BorderColorDown(), s.borderDown);
    EXPECT_EQ(b.BorderCustom(), s.borderCustom);
    EXPECT_EQ(b.ForeColorNormal(), s.foreNormal);
    EXPECT_EQ(b.ForeColorHover(), s.foreHover);
    EXPECT_EQ(b.ForeColorDown(), s.foreDown);
    EXPECT_EQ(b.FontSize(), s.fontSize);
    EXPECT_EQ(b.FontBold(), s.bold);
    EXPECT_EQ(b.BorderGotFocus(), s.borderGotFocus);
    EXPECT_EQ(b.Graphical(), s.graphical);
    EXPECT_EQ(b.Text_Visible(), s.textVisible);
    EXPECT_EQ(b.StretchToText(), s.stretchToText);
    EXPECT_EQ(b.Stretch(), s.stretch);
    EXPECT_EQ(b.Style(), s.style);
}

TEST_F(NShapeSettingsTest, EverySettingReloadsAsSavedWhateverStateTheButtonWasSavedIn) {
    const Settings table[] = {
        // An empty caption and the colour the format writes with by default.
        {QString(), 0xFF8080, 0xFF8080, 0xFF8080, 0xFF8080, 0xFF8080, 0xFF8080,
         0xFF8080,  0xFF8080, 0xFF8080, 0xFF8080, 0xFF8080, 8,        false,
         false,     false,    false,    true,     false,    4},
        // Exactly the read defaults.
        {QStringLiteral("NShape1"),
         0xFF8080,
         0x8080FF,
         0x80C0FF,
         0x80FFFF,
         0xFFFF80,
         0xFFFF80,
         0xFFFF80,
         0x80FF80,
         0x8080FF,
         0x8080FF,
         0x8080FF,
         8,
         false,
         false,
         false,
         false,
         true,
         false,
         4},
        // The shipped look.
        {QStringLiteral("冻结"),
         0xFFFFFF,
         0xFFFFFF,
         0xFFFFFF,
         0xFFFFFF,
         0xE0E0E0,
         0,
         0xC0C0C0,
         0xFFFFFF,
         0,
         0,
         0xC0C0C0,
         10,
         false,
         false,
         false,
         true,
         false,
         false,
         0},
        // Everything else changed.
        {QStringLiteral(" 清除应用数据 "),
         0x010203,
         0x040506,
         0x070809,
         0x0A0B0C,
         0x0D0E0F,
         0x101112,
         0x131415,
         0x161718,
         0x191A1B,
         0x1C1D1E,
         0x1F2021,
         14,
         true,
         true,
         true,
         true,
         false,
         true,
         2},
    };
    enum class SavedWhile { Normal, Hovered, Pressed, Disabled };
    form.setClientSize(6000, 3000);
    form.show();
    const QPoint away = form.mapToGlobal(QPoint(390, 190));
    for (const Settings& s : table) {
        for (SavedWhile state :
             {SavedWhile::Normal, SavedWhile::Hovered, SavedWhile::Pressed, SavedWhile::Disabled}) {
            SCOPED_TRACE(s.caption.toStdString() + " state " +
                         std::to_string(static_cast<int>(state)));
            b->initNew();
            apply(*b, s);
            host.moveTo(away);
            if (state != SavedWhile::Normal) host.moveTo(b, QPoint(2, 2));
            if (state == SavedWhile::Pressed) host.press(Qt::LeftButton);
            if (state == SavedWhile::Disabled) b->setEnabled(false);
            rt::PropertyBag bag;
            b->writeProperties(bag);
            if (state == SavedWhile::Pressed) host.release(Qt::LeftButton);
            b->setEnabled(true);

            N_Shape fresh(&form);
            fresh.readProperties(bag);
            EXPECT_EQ(fresh.Enabled(), state != SavedWhile::Disabled);
            fresh.setEnabled(true);
            expectSettings(fresh, s);
        }
    }
}

TEST_F(NShapeSettingsTest, FilesWrittenWithTheOlderDefaultsReadAsBefore) {
    // Formerly an empty caption and caption colours of 0xFF8080 were left out.
    rt::PropertyBag old;
    old.WriteProperty(QStringLiteral("Caption"), QStringLiteral("Reboot"));
    old.WriteProperty(QStringLiteral("ForeColorNormal"), QStringLiteral("&H00000000&"));
    read(old);
    EXPECT_EQ(b->Caption(), QStringLiteral("Reboot"));
    EXPECT_EQ(b->ForeColorNormal(), 0);
    EXPECT_EQ(b->ForeColorHover(), 0x8080FF);
    read({});
    EXPECT_EQ(b->Caption(), QStringLiteral("NShape1"));
}

TEST_F(NShapeSettingsTest, ADisabledWindowAroundTheButtonLeavesItsOwnFlagAlone) {
    b->initNew();
    form.setEnabled(false);
    rt::PropertyBag inDisabledWindow;
    b->writeProperties(inDisabledWindow);
    EXPECT_TRUE(b->Enabled());
    EXPECT_FALSE(inDisabledWindow.contains(QStringLiteral("Enabled")));
}

TEST_F(NShapeSettingsTest, SavingLeavesOutWriteDefaultsAndStopsAtAFailingValue) {
    read({});
    rt::PropertyBag bag;
    b->writeProperties(bag);
    // What was read by default is left out; Stretch and List_Icons are
    // always stored; the font read by default names the default typeface.
    QStringList keys;
    for (const auto& e : bag.entries()) keys << e.first;
    EXPECT_EQ(keys, names({"Stretch", "List_Icons"}));

    b->setCaption(QStringLiteral("Stop"));
    b->label1()->setFontSize(40000);  // beyond a 16-bit size
    rt::PropertyBag stopped;
    b->writeProperties(stopped);
    EXPECT_TRUE(stopped.contains(QStringLiteral("Caption")));
    EXPECT_FALSE(stopped.contains(QStringLiteral("Font")));
}

TEST_F(NShapeSettingsTest, SavedSettingsReadBackIntoAnotherButton) {
    b->initNew();
    b->setStyle(2);
    b->setFontBold(true);
    b->setGraphical(true);
    b->setStretch(true);
    b->setPicture_Hover(solidPicture());
    rt::PropertyBag bag;
    b->writeProperties(bag);
    auto* other = new N_Shape(&form);
    other->readProperties(bag);
    EXPECT_EQ(other->Caption(), QStringLiteral("N_Shape7"));
    EXPECT_EQ(other->Style(), 2);
    EXPECT_TRUE(other->FontBold() && other->Graphical() && other->Stretch() &&
                other->Text_Visible());
    EXPECT_EQ(other->BackColorNormal(), 0xEFF1F2);
    EXPECT_EQ(other->ForeColorNormal(), 0);
    EXPECT_EQ(other->Picture_Hover(), b->Picture_Hover());
}

}  // namespace
