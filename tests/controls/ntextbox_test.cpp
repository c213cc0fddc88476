// The framed text box on a test window: the digits filter, the setters'
// clamps, refusals and announcements, the layout, the box's mouse events,
// select on focus, the stored settings and About.
#include "controls/ntextbox.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QTemporaryDir>
#include <string>
#include <vector>

#include "runtime/design.h"
#include "runtime/form.h"
#include "runtime/typefaces.h"
#include "support/recordinghost.h"

namespace {

using controls::N_TextBox;

QStringList names(std::initializer_list<const char*> list) {
    QStringList r;
    for (const char* n : list) r << QLatin1String(n);
    return r;
}

class NTextBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        form.setClientSize(6000, 3000);
        t = new N_TextBox(&form);
        t->setObjectName(QStringLiteral("N_TextBox1"));
        t->Move(600, 600, 3000, 900);
        t->placeNew();
        t->clearChangedProperties();
    }
    // One key typed into the box, as the window system delivers it.
    void type(int key, const QString& text, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QKeyEvent down(QEvent::KeyPress, key, mods, text);
        QApplication::sendEvent(t->txt()->editor(), &down);
        QKeyEvent up(QEvent::KeyRelease, key, mods, text);
        QApplication::sendEvent(t->txt()->editor(), &up);
    }
    void read(rt::PropertyBag bag) { t->readProperties(bag); }

    testing_support::RecordingHost host;
    rt::Form form;
    N_TextBox* t = nullptr;
};

TEST_F(NTextBoxTest, NumberBoxLetsDigitsAndBackspaceThroughAfterKeyPressSawEveryCode) {
    std::vector<int> seen;
    t->KeyPress.handle([&](rt::Integer& k) { seen.push_back(k); });
    t->setText(QString());
    t->setNumberBox(true);
    type(Qt::Key_5, QStringLiteral("5"));
    type(Qt::Key_5, QStringLiteral("5"));
    type(Qt::Key_Backspace, QStringLiteral("\b"));
    EXPECT_EQ(t->Text(), QStringLiteral("5"));
    type(Qt::Key_A, QStringLiteral("a"));
    type(Qt::Key_Minus, QStringLiteral("-"));
    type(Qt::Key_Period, QStringLiteral("."));
    type(Qt::Key_Return, QStringLiteral("\r"));
    type(Qt::Key_C, QString(QChar(3)), Qt::ControlModifier);
    type(Qt::Key_V, QString(QChar(22)), Qt::ControlModifier);
    type(Qt::Key_A, QStringLiteral("a"), Qt::ControlModifier);  // select all, then cut
    type(Qt::Key_X, QString(QChar(24)), Qt::ControlModifier);
    EXPECT_EQ(t->Text(), QStringLiteral("5"));
    EXPECT_EQ(seen, (std::vector<int>{53, 53, 8, 97, 45, 46, 13, 3, 22, 97, 24}));

    // The host's handler runs first: the filter judges what it left.
    t->KeyPress.handle([](rt::Integer& k) { k = k == 97 ? 55 : k == 55 ? 97 : k; });
    type(Qt::Key_A, QStringLiteral("a"));
    type(Qt::Key_7, QStringLiteral("7"));
    EXPECT_EQ(t->Text(), QStringLiteral("57"));
    // Text that arrives without a key is not filtered.
    t->setText(QStringLiteral("abc"));
    EXPECT_EQ(t->Text(), QStringLiteral("abc"));
}

// Text that comes without a key of its own: an input method's commit passes
// KeyPress and the digit filter character by character; a drop is refused.
TEST_F(NTextBoxTest, CommittedTextIsTypedThroughKeyPressAndDropsAreRefused) {
    std::vector<int> seen;
    t->KeyPress.handle([&](rt::Integer& k) { seen.push_back(k); });
    const auto commit = [&](const QString& text) {
        QInputMethodEvent ev;
        ev.setCommitString(text);
        QApplication::sendEvent(t->txt()->editor(), &ev);
    };
    t->setText(QStringLiteral("5"));
    t->setNumberBox(true);
    commit(QStringLiteral("中文a1bc"));
    EXPECT_EQ(t->Text(), QStringLiteral("51"));
    EXPECT_EQ(seen, (std::vector<int>{0x4E2D, 0x6587, 97, 49, 98, 99}));
    t->setNumberBox(false);
    commit(QStringLiteral("中文abc"));
    EXPECT_EQ(t->Text(), QStringLiteral("51中文abc"));

    QMimeData dragged;
    dragged.setText(QStringLiteral("x9"));
    form.show();
    EXPECT_FALSE(host.dropOn(t->txt()->editor(), QPoint(5, 5), dragged));
    EXPECT_EQ(t->Text(), QStringLiteral("51中文abc"));
}

// A KeyPress handler's replacement is typed as the box types a key: a
// Locked box stays as it is, 8 deletes, and a printable replacement of a
// control key is typed.
TEST_F(NTextBoxTest, AReplacedKeyIsTypedByTheBoxItself) {
    rt::Integer to = 0;
    t->KeyPress.handle([&](rt::Integer& k) { k = to; });
    t->setText(QStringLiteral("12"));
    t->setLocked(true);
    to = 55;
    type(Qt::Key_A, QStringLiteral("a"));
    EXPECT_EQ(t->Text(), QStringLiteral("12"));
    t->setLocked(false);
    to = 8;
    type(Qt::Key_A, QStringLiteral("a"));
    EXPECT_EQ(t->Text(), QStringLiteral("1"));
    to = 55;
    type(Qt::Key_Return, QStringLiteral("\r"));
    EXPECT_EQ(t->Text(), QStringLiteral("17"));
}

TEST_F(NTextBoxTest, SettersClampRefuseAndAnnounce) {
    t->setAlignementVertical(7);
    t->setHeaderAlignement(5);
    t->setAlignementHorizontal(9);
    EXPECT_EQ(t->AlignementVertical(), 2);
    EXPECT_EQ(t->HeaderAlignement(), 2);
    EXPECT_EQ(t->AlignementHorizontal(), 2);
    EXPECT_EQ(t->lbl()->Alignment(), 2);
    t->clearChangedProperties();
    EXPECT_THROW(t->setAlignementVertical(-1), rt::RuntimeError);
    EXPECT_THROW(t->setHeaderAlignement(-1), rt::RuntimeError);
    EXPECT_THROW(t->setAlignementHorizontal(-1), rt::RuntimeError);
    EXPECT_EQ(t->AlignementVertical(), 2);
    EXPECT_TRUE(t->changedProperties().isEmpty());

    t->setText(QStringLiteral("xyz"));
    t->setPasswordChar(QStringLiteral("ab"));
    EXPECT_EQ(t->PasswordChar(), QStringLiteral("a"));
    EXPECT_EQ(t->txt()->editor()->displayText(), QStringLiteral("aaa"));
    t->setPasswordChar(QString());
    EXPECT_EQ(t->txt()->editor()->displayText(), QStringLiteral("xyz"));

    t->clearChangedProperties();
    rt::FontPtr f = rt::newFont(rt::runtimeFont(QStringLiteral("Verdana"), 12, false));
    t->setFont(f);
    EXPECT_EQ(t->changedProperties(), names({"FONT"}));
    EXPECT_EQ(t->Font(), f);
    EXPECT_EQ(t->lbl()->Font(), f);  // the very object
    t->Font()->setSize(20);
    EXPECT_EQ(t->txt()->editor()->font().pointSizeF(), 20);
    EXPECT_EQ(t->lbl()->FontSize(), 20);
    EXPECT_THROW(t->setFont(nullptr), rt::RuntimeError);
    EXPECT_EQ(t->Font(), f);

    // Change comes after the mirror took the text.
    QString mirrored;
    t->Change.handle([&] { mirrored = t->lbl()->Caption(); });
    t->setText(QStringLiteral("new"));
    EXPECT_EQ(mirrored, QStringLiteral("new"));
}

TEST_F(NTextBoxTest, ResizeKeepsAMinimumAndTheHeaderMakesRoom) {
    t->Move(0, 0, 100, 30);
    EXPECT_EQ(t->twipsRect().size(), QSizeF(300, 60));
    EXPECT_EQ(t->txt()->Width(), 210);

    t->Move(0, 0, 3000, 900);
    t->setHeader(true);
    const double band = t->lblHeader()->Height() + 15;
    EXPECT_GT(t->lblHeader()->Height(), 0);
    EXPECT_EQ(t->shpBorder()->Top(), band);
    EXPECT_EQ(t->shpBorder()->Height(), 900 - band);
    EXPECT_EQ(t->lblHeader()->Width(), 3000);
    t->setHeader(false);
    EXPECT_EQ(t->shpBorder()->Top(), 0);
    EXPECT_EQ(t->shpBorder()->Height(), 900);

    // Lower than the header band: an empty frame, no error.
    t->setHeader(true);
    EXPECT_NO_THROW(t->Move(0, 0, 3000, 60));
    EXPECT_EQ(t->shpBorder()->Height(), 0);
}

TEST_F(NTextBoxTest, PlacementsPutTheTextAtTopMiddleOrBottomOfTheFrame) {
    t->setHeader(true);
    const double top = t->shpBorder()->Top(), height = t->shpBorder()->Height();
    const double line = t->lbl()->Height();
    const struct {
        int placement;
        double txtTop;
    } rows[] = {{0, top + 15}, {1, (height - line) / 2 + top}, {2, height - line + top - 15}};
    for (const auto& r : rows) {
        t->setAlignementVertical(r.placement);
        EXPECT_EQ(t->txt()->Top(), r.txtTop) << r.placement;
        EXPECT_EQ(t->lbl()->Top(), r.txtTop) << r.placement;
        EXPECT_EQ(t->lbl()->Width(), t->txt()->Width());
    }
    // A stored placement is not clamped, and places nothing.
    read([] {
        rt::PropertyBag b;
        b.WriteProperty(QStringLiteral("AlignementVertical"), 7);
        return b;
    }());
    const double before = t->txt()->Top();
    t->Move(0, 0, 3000, 1500);
    EXPECT_EQ(t->AlignementVertical(), 7);
    EXPECT_EQ(t->txt()->Top(), before);
}

TEST_F(NTextBoxTest, OnlyTheBoxRaisesMouseEventsMeasuredFromItsOwnCorner) {
    // The focus starts elsewhere, so that the click moves it into the box.
    auto* other = new rt::TextBox(&form);
    other->Move(0, 0, 600, 300);
    form.show();
    QApplication::setActiveWindow(&form);
    other->editor()->setFocus(Qt::OtherFocusReason);
    std::vector<std::string> log;
    rt::Single x = -1, y = -1;
    t->MouseDown.handle([&](rt::Integer& b, rt::Integer&, rt::Single& px, rt::Single& py) {
        log.push_back("MouseDown" + std::to_string(b));
        x = px, y = py;
    });
    t->MouseUp.handle(
        [&](rt::Integer&, rt::Integer&, rt::Single&, rt::Single&) { log.push_back("MouseUp"); });
    t->Click.handle([&] { log.push_back("Click"); });
    t->setText(QStringLiteral("abcde"));
    host.moveTo(t->txt()->editor(), QPoint(0, 0));
    host.click();
    EXPECT_EQ(log, (std::vector<std::string>{"MouseDown1", "MouseUp", "Click"}));
    EXPECT_NEAR(x, 0, 15);
    EXPECT_NEAR(y, 0, 15);
    // The click gave the focus: the whole text is selected and stays so.
    EXPECT_EQ(t->txt()->SelStart(), 0);
    EXPECT_EQ(t->txt()->SelLength(), 5);

    log.clear();
    t->setLabelBox(true);
    EXPECT_FALSE(t->txt()->Visible());
    host.clickOn(t->lbl());
    host.clickOn(t->shpBorder());
    EXPECT_TRUE(log.empty());
}

// Tab into the box selects nothing unless SelOnFocus asks for it; a header
// of two lines gets a band that shows both.
TEST_F(NTextBoxTest, TabFocusFollowsSelOnFocusAndAHeaderShowsEveryLine) {
    auto* other = new rt::TextBox(&form);
    other->Move(0, 0, 600, 300);
    form.show();
    QApplication::setActiveWindow(&form);
    t->setText(QStringLiteral("abcde"));
    t->txt()->setSelStart(2);
    for (bool selOnFocus : {false, true}) {
        SCOPED_TRACE(selOnFocus);
        t->setSelOnFocus(selOnFocus);
        other->editor()->setFocus(Qt::OtherFocusReason);
        t->txt()->editor()->setFocus(Qt::TabFocusReason);
        ASSERT_TRUE(t->txt()->editor()->hasFocus());
        EXPECT_EQ(t->txt()->SelLength(), selOnFocus ? 5 : 0);
        EXPECT_EQ(t->txt()->SelStart(), selOnFocus ? 0 : 2);
    }

    t->setHeader(true);
    const double oneLine = t->lblHeader()->Height();
    t->setHeaderCaption(QStringLiteral("端口\r\n地址"));
    t->setHeader(true);  // the next layout
    EXPECT_GE(t->lblHeader()->Height(), 2 * oneLine);
    EXPECT_EQ(t->shpBorder()->Top(), t->lblHeader()->Height() + 15);
}

TEST_F(NTextBoxTest, NewInstanceAndEmptyBag) {
    EXPECT_EQ(t->Text(), QStringLiteral("N_TextBox"));
    EXPECT_EQ(t->AlignementHorizontal(), 2);
    EXPECT_TRUE(t->SelOnFocus());
    EXPECT_FALSE(t->NumberBox());
    EXPECT_EQ(t->AlignementVertical(), 1);
    EXPECT_FALSE(t->LabelBox());
    EXPECT_FALSE(t->Header());
    EXPECT_EQ(t->txt()->BorderStyle(), 0);

    read({});
    EXPECT_EQ(t->Text(), QString());
    EXPECT_EQ(t->AlignementHorizontal(), 1);
    EXPECT_EQ(t->HeaderAlignement(), 1);
    EXPECT_EQ(t->ForeColor(), 0xD05C28);
    EXPECT_EQ(t->HeaderBackColor(), 0xFFFFFF);
    EXPECT_EQ(t->BackColor(), 0xFFFFFF);
    EXPECT_TRUE(t->Enabled());
}

TEST_F(NTextBoxTest, SavingStoresEveryKeyTypedAndReloadingReturnsEverything) {
    t->setText(QStringLiteral("42"));
    t->setAlignementHorizontal(0);
    t->setNumberBox(true);
    t->setAlignementVertical(0);
    t->setLocked(true);
    t->setEnabled(false);
    t->setForeColor(0x010203);
    t->setBorderColor(0x040506);
    t->setBackColor(0x070809);
    t->setFont(rt::newFont(rt::runtimeFont(QStringLiteral("Verdana"), 11, true)));
    t->setPasswordChar(QStringLiteral("#"));
    t->setLabelBox(true);
    t->setSelOnFocus(false);
    t->setHeader(true);
    t->setHeaderAlignement(0);
    t->setHeaderForeColor(0x0A0B0C);
    t->setHeaderBackColor(0x0D0E0F);
    t->setHeaderFont(rt::newFont(rt::runtimeFont(QStringLiteral("Arial"), 7, false)));
    t->setHeaderCaption(QStringLiteral("Port"));
    rt::PropertyBag bag;
    t->writeProperties(bag);

    QStringList keys;
    for (const auto& [k, v] : bag.entries()) keys << k;
    EXPECT_EQ(keys, names({"Text", "AlignementHorizontal", "NumberBox", "AlignementVertical",
                           "Locked", "Enabled", "ForeColor", "BorderColor", "BackColor", "FONT",
                           "PasswordChar", "LabelBox", "SelOnFocus", "Header", "HeaderAlignement",
                           "HeaderForeColor", "HeaderBackColor", "HeaderFont", "HeaderCaption"}));
    EXPECT_EQ(bag.ReadProperty(QStringLiteral("AlignementHorizontal")).typeId(), QMetaType::Short);
    EXPECT_EQ(bag.ReadProperty(QStringLiteral("AlignementVertical")).typeId(), QMetaType::UChar);
    EXPECT_EQ(bag.ReadProperty(QStringLiteral("ForeColor")).typeId(), QMetaType::Int);
    EXPECT_EQ(bag.ReadProperty(QStringLiteral("FONT")).typeId(), QMetaType::QFont);

    rt::Form other;
    N_TextBox copy(&other);
    copy.Move(0, 0, 3000, 900);
    copy.placeStored(bag);
    EXPECT_EQ(copy.Text(), QStringLiteral("42"));
    EXPECT_EQ(copy.AlignementHorizontal(), 0);
    EXPECT_TRUE(copy.NumberBox());
    EXPECT_EQ(copy.AlignementVertical(), 0);
    EXPECT_TRUE(copy.Locked());
    EXPECT_FALSE(copy.Enabled());
    EXPECT_EQ(copy.ForeColor(), 0x010203);
    EXPECT_EQ(copy.lbl()->ForeColor(), 0x010203);
    EXPECT_EQ(copy.BorderColor(), 0x040506);
    EXPECT_EQ(copy.BackColor(), 0x070809);
    EXPECT_EQ(copy.Font()->Name(), QStringLiteral("Verdana"));
    EXPECT_EQ(copy.Font()->Size(), 11);
    EXPECT_EQ(copy.lbl()->Font(), copy.Font());
    EXPECT_EQ(copy.PasswordChar(), QStringLiteral("#"));
    EXPECT_TRUE(copy.LabelBox());
    EXPECT_FALSE(copy.SelOnFocus());
    EXPECT_TRUE(copy.Header());
    EXPECT_EQ(copy.HeaderAlignement(), 0);
    EXPECT_EQ(copy.HeaderForeColor(), 0x0A0B0C);
    EXPECT_EQ(copy.HeaderBackColor(), 0x0D0E0F);
    EXPECT_EQ(copy.BackColor(), 0x070809);
    EXPECT_EQ(copy.HeaderFont()->Size(), 7);
    EXPECT_EQ(copy.HeaderCaption(), QStringLiteral("Port"));
    // The Resize after loading gives the stored header its room.
    EXPECT_EQ(copy.shpBorder()->Top(), copy.lblHeader()->Height() + 15);
}

TEST_F(NTextBoxTest, ABadStoredValueStopsLoadingThereAndPassesTheErrorOn) {
    const struct {
        const char* key;
        QVariant value;
        bool numberBoxTaken;  // NumberBox (step 3) and Enabled (step 6) came before it
        bool enabledTaken;
    } rows[] = {
        {"AlignementHorizontal", 3, false, false},
        {"AlignementVertical", 300, true, false},
        {"ForeColor", QStringLiteral("x"), true, true},
    };
    for (const auto& r : rows) {
        rt::Form f;
        N_TextBox box(&f);
        box.placeNew();
        rt::PropertyBag bag;
        bag.WriteProperty(QStringLiteral("Text"), QStringLiteral("kept"));
        bag.WriteProperty(QStringLiteral("NumberBox"), true);
        bag.WriteProperty(QStringLiteral("Enabled"), false);
        bag.WriteProperty(QLatin1String(r.key), r.value);
        bag.WriteProperty(QStringLiteral("BorderColor"), 0x123456);
        EXPECT_THROW(box.readProperties(bag), rt::RuntimeError) << r.key;
        EXPECT_EQ(box.Text(), QStringLiteral("kept")) << r.key;
        EXPECT_NE(box.BorderColor(), 0x123456) << r.key;
        EXPECT_EQ(box.NumberBox(), r.numberBoxTaken) << r.key;
        EXPECT_EQ(box.Enabled(), !r.enabledTaken) << r.key;
    }
}

TEST_F(NTextBoxTest, TheDesignLoaderKnowsTheControlAndGivesAStoredHeaderItsRoom) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("w.json"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(R"({"name": "W", "caption": "W", "clientWidth": 6000, "clientHeight": 3000,
      "controls": [{"type": "N_TextBox", "name": "Box", "left": 0, "top": 0, "width": 3000,
                    "height": 900, "bag": {"Header": true, "Text": "ok"}}]})");
    file.close();
    rt::Form window;
    rt::design::load(window, path);
    auto* box = window.ctl<N_TextBox>(QStringLiteral("Box"));
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->Text(), QStringLiteral("ok"));
    EXPECT_GT(box->shpBorder()->Top(), 0);
}

TEST_F(NTextBoxTest, AboutShowsTheCreditUnderTheProgramTitle) {
    t->About();
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_EQ(host.boxes[0].flags, 64);
    EXPECT_EQ(host.boxes[0].title, QStringLiteral("Tessadrel"));
    EXPECT_EQ(host.boxes[0].text,
              QStringLiteral("N_TextBox\r\n\r\nWritten by:\r\nHalvern\r\n\r\nYou can freely use "
                             "this control as you want!"));
}

}  // namespace
