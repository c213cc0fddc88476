// The push button under the virtual pointer and the keyboard: hover and leave
// poll, capture and MouseOut, presses and releases on body, caption and icon,
// focus keys, the colours the Normal getters report, and the layout.
#include "controls/nshape.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "runtime/form.h"
#include "runtime/picturebox.h"
#include "runtime/services.h"
#include "support/recordinghost.h"

namespace {

using controls::N_Shape;
using Log = std::vector<std::string>;

// Fill, caption and border of the normal, hover and down states.
constexpr rt::Long kN[3] = {0x111111, 0x010101, 0xA1A1A1};
constexpr rt::Long kH[3] = {0x222222, 0x020202, 0xA2A2A2};
constexpr rt::Long kD[3] = {0x333333, 0x030303, 0xA3A3A3};

rt::PicturePtr solidPicture(int w, int h) {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(Qt::red);
    return std::make_shared<rt::Picture>(img);
}

class NShapeTest : public ::testing::Test {
protected:
    void SetUp() override {
        form.setClientSize(6000, 3000);
        b = new N_Shape(&form);
        b->Move(600, 600, 1800, 495);  // 120 x 33 px at (40, 40)
        b->initNew();
        b->setStretchToText(false);
        b->setWidth(1800);
        b->setBackColorNormal(kN[0]), b->setBackColorHover(kH[0]), b->setBackColorDown(kD[0]);
        b->setForeColorNormal(kN[1]), b->setForeColorHover(kH[1]), b->setForeColorDown(kD[1]);
        b->setBorderColorNormal(kN[2]), b->setBorderColorHover(kH[2]), b->setBorderColorDown(kD[2]);
        form.show();
        host.moveTo(outside());

        const auto note = [this](const char* what) {
            return [this, what] { log.push_back(what); };
        };
        const auto noteMouse = [this](const char* what) {
            return [this, what](rt::Integer& btn, rt::Integer&, rt::Single&, rt::Single&) {
                log.push_back(what + std::to_string(btn));
            };
        };
        const auto noteKey = [this](const char* what) {
            return [this, what](rt::Integer& k, rt::Integer&) {
                log.push_back(what + std::to_string(k));
            };
        };
        b->Click.handle(note("Click"));
        b->DblClick.handle(note("DblClick"));
        b->MouseMove.handle(noteMouse("MouseMove"));
        b->MouseDown.handle(noteMouse("MouseDown"));
        b->MouseUp.handle(noteMouse("MouseUp"));
        b->MouseEnter.handle(note("MouseEnter"));
        b->MouseLeave.handle(note("MouseLeave"));
        b->MouseOver.handle(note("MouseOver"));
        b->MouseOut.handle(note("MouseOut"));
        b->KeyDown.handle(noteKey("KeyDown"));
        b->KeyUp.handle(noteKey("KeyUp"));
        b->KeyPress.handle(
            [this](rt::Integer& k) { log.push_back("KeyPress" + std::to_string(k)); });
    }

    QPoint outside() const { return form.mapToGlobal(QPoint(300, 150)); }
    void onBody(int at = 2) { host.moveTo(b, QPoint(at, at)); }

    void expectShown(const rt::Long (&c)[3]) const {
        EXPECT_EQ(b->shape1()->FillColor(), c[0]);
        EXPECT_EQ(b->label1()->ForeColor(), c[1]);
        EXPECT_EQ(b->shape1()->BorderColor(), c[2]);
    }

    testing_support::RecordingHost host;
    rt::Form form;
    N_Shape* b = nullptr;
    Log log;
};

TEST_F(NShapeTest, EnteringHoversOnceTakesCaptureAndNormalGettersReportTheShownColours) {
    onBody();
    EXPECT_EQ(log, (Log{"MouseMove0", "MouseEnter"}));
    EXPECT_EQ(b->buttonState(), N_Shape::StateHover);
    EXPECT_TRUE(b->hoverFlag());
    EXPECT_TRUE(b->timer1()->running());
    EXPECT_EQ(host.capture, b);
    expectShown(kH);
    EXPECT_EQ(b->BackColorNormal(), kH[0]);
    EXPECT_EQ(b->ForeColorNormal(), kH[1]);
    EXPECT_EQ(b->BorderColorNormal(), kH[2]);
    // Empty pictures (every shipped button): the hover picture never goes up.
    EXPECT_FALSE(b->MouseInside());
    EXPECT_EQ(b->CurPicture(), 0);

    log.clear();
    host.moveTo(b->label1(), b->label1()->rect().center());
    b->timer1()->fire();  // the pointer is still over: the poll does nothing
    EXPECT_EQ(log, (Log{"MouseMove0"}));
    EXPECT_EQ(b->buttonState(), N_Shape::StateHover);
}

TEST_F(NShapeTest, LeavingUnderCaptureRestoresNormalThenRaisesMouseOutAndPollRaisesMouseLeave) {
    const auto normal = solidPicture(10, 10), hover = solidPicture(10, 10);
    b->setPicture_Normal(normal);
    b->setPicture_Hover(hover);
    onBody();
    EXPECT_TRUE(b->MouseInside());
    EXPECT_EQ(b->CurPicture(), 2);

    log.clear();
    b->MouseMove.handle([this](rt::Integer&, rt::Integer&, rt::Single&, rt::Single&) {
        log.push_back("MouseMove");
        EXPECT_EQ(b->shape1()->FillColor(), kH[0]);  // colours follow the event
    });
    b->MouseOut.handle([this, normal] {
        log.push_back("MouseOut");
        expectShown(kN);
        EXPECT_EQ(b->image1()->Picture(), normal);
        EXPECT_FALSE(b->MouseInside());
        EXPECT_EQ(host.capture, nullptr);
    });
    host.moveTo(outside());
    EXPECT_EQ(log, (Log{"MouseMove", "MouseOut"}));
    EXPECT_FALSE(b->hoverFlag());

    log.clear();
    b->timer1()->fire();
    b->timer1()->fire();  // the first tick outside stops the poll
    EXPECT_EQ(log, (Log{"MouseLeave"}));
    EXPECT_FALSE(b->timer1()->running());
}

TEST_F(NShapeTest, RightButtonClickRaisesDownUpClickWithoutDownColours) {
    onBody();
    log.clear();
    host.press(Qt::RightButton);
    expectShown(kH);
    host.release(Qt::RightButton);
    EXPECT_EQ(log, (Log{"MouseDown2", "MouseUp2", "Click"}));
    EXPECT_EQ(b->buttonState(), N_Shape::StateHover);
}

TEST_F(NShapeTest, DragOffAndReleaseOutsideClicksKeepsCaptureUntilAButtonlessMove) {
    onBody();
    host.press(Qt::LeftButton);
    expectShown(kD);
    log.clear();
    host.moveTo(outside());  // left button held
    EXPECT_EQ(b->buttonState(), N_Shape::StateNormal);
    EXPECT_EQ(host.capture, b);
    host.release(Qt::LeftButton);
    EXPECT_EQ(log, (Log{"MouseMove1", "MouseUp1", "Click"}));
    EXPECT_EQ(b->buttonState(), N_Shape::StateNormal);
    expectShown(kN);
    EXPECT_EQ(host.capture, b);

    log.clear();
    host.moveTo(outside() + QPoint(5, 5));
    EXPECT_EQ(log, (Log{"MouseMove0", "MouseOut"}));
    EXPECT_EQ(host.capture, nullptr);
}

TEST_F(NShapeTest, LeftButtonMoveOverShowsDownColoursAndClearsHoverSoEnterComesAgain) {
    onBody();
    host.press(Qt::LeftButton);
    onBody(4);
    EXPECT_EQ(b->buttonState(), N_Shape::StateDown);
    EXPECT_FALSE(b->hoverFlag());
    EXPECT_EQ(b->BackColorNormal(), kD[0]);
    host.release(Qt::LeftButton);
    log.clear();
    onBody(5);
    EXPECT_EQ(log, (Log{"MouseMove0", "MouseEnter"}));
}

TEST_F(NShapeTest, CaptionAndIconForwardPressesAndReleases) {
    b->setPicture_Normal(solidPicture(20, 10));
    b->setPicture_Down(solidPicture(20, 10));
    b->setPicture_Hover(solidPicture(20, 10));
    b->setGraphical(true);

    // A move on the icon takes the capture and puts up the hover picture but
    // neither enters the hover state nor touches MouseInside.
    host.moveTo(b->image1(), b->image1()->rect().center());
    EXPECT_EQ(log, (Log{"MouseMove0"}));
    EXPECT_EQ(host.capture, b);
    EXPECT_EQ(b->CurPicture(), 2);
    EXPECT_FALSE(b->MouseInside());
    EXPECT_EQ(b->buttonState(), N_Shape::StateNormal);

    // With the capture taken elsewhere the icon gets the buttons itself.
    host.capture = nullptr;
    log.clear();
    host.doubleClick();
    EXPECT_EQ(log, (Log{"MouseDown1", "MouseUp1", "Click", "DblClick", "MouseUp1", "Click"}));
    EXPECT_EQ(b->buttonState(), N_Shape::StateNormal);

    // The caption changes state like the body but leaves the picture alone.
    host.cursor = b->label1()->mapToGlobal(b->label1()->rect().center());
    log.clear();
    host.press(Qt::LeftButton);
    EXPECT_EQ(b->buttonState(), N_Shape::StateDown);
    host.release(Qt::LeftButton);
    EXPECT_EQ(log, (Log{"MouseDown1", "MouseUp1", "Click"}));
    EXPECT_EQ(b->buttonState(), N_Shape::StateHover);
    EXPECT_EQ(b->CurPicture(), 2);
    EXPECT_EQ(std::count(log.begin(), log.end(), "MouseOver"), 0);
}

TEST_F(NShapeTest, BodyPressShowsDownPictureReleaseHoverAndRepaintNormal) {
    b->setPicture_Down(solidPicture(12, 12));
    b->setPicture_Hover(solidPicture(12, 12));
    EXPECT_EQ(b->CurPicture(), 0);  // the empty normal picture is shown
    b->setPicture_Normal(solidPicture(12, 12));
    EXPECT_EQ(b->CurPicture(), 3);
    onBody();
    host.press(Qt::LeftButton);
    EXPECT_EQ(b->CurPicture(), 1);
    host.release(Qt::LeftButton);
    EXPECT_EQ(b->CurPicture(), 2);
    QKeyEvent up(QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier);
    QApplication::sendEvent(b, &up);  // key up repaints
    EXPECT_EQ(b->CurPicture(), 3);
}

TEST_F(NShapeTest, ArrowKeysSendFocusKeystrokesAndNoKeyClicks) {
    const auto key = [this](int k, Qt::KeyboardModifiers m = Qt::NoModifier,
                            const QString& text = {}) {
        QKeyEvent down(QEvent::KeyPress, k, m, text), up(QEvent::KeyRelease, k, m, text);
        QApplication::sendEvent(b, &down);
        QApplication::sendEvent(b, &up);
    };
    for (int k : {Qt::Key_Right, Qt::Key_Down, Qt::Key_Left, Qt::Key_Up}) key(k);
    const QString tab = QStringLiteral("{TAB}"), back = QStringLiteral("+{TAB}");
    EXPECT_EQ(host.keys, (std::vector<QString>{tab, tab, back, back}));
    EXPECT_EQ(log, (Log{"KeyDown39", "KeyUp39", "KeyDown40", "KeyUp40", "KeyDown37", "KeyUp37",
                        "KeyDown38", "KeyUp38"}));

    log.clear();
    key(Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    key(Qt::Key_N, Qt::AltModifier);  // an access key
    EXPECT_EQ(log, (Log{"KeyDown13", "KeyPress13", "KeyUp13", "KeyDown78", "KeyUp78"}));
    EXPECT_EQ(host.keys.size(), 4u);
}

TEST_F(NShapeTest, DisabledCaptionIsGreyUntilThePollsLastTickReappliesNormal) {
    onBody();
    b->setEnabled(false);
    EXPECT_EQ(b->ForeColorNormal(), 0xB3B3B3);
    // The poll does not look at Enabled: its final tick shows the normal colours.
    host.cursor = outside();
    b->timer1()->fire();
    expectShown(kN);
    b->setEnabled(true);
    EXPECT_EQ(b->ForeColorNormal(), kN[1]);
}

TEST_F(NShapeTest, FocusBorderOnlyWhenAskedForAndStateBorderBackOnLoss) {
    b->setBorderCustom(0x0000FF);
    QFocusEvent in(QEvent::FocusIn), out(QEvent::FocusOut);
    QApplication::sendEvent(b, &in);
    EXPECT_EQ(b->shape1()->BorderColor(), kN[2]);
    b->setBorderGotFocus(true);
    QApplication::sendEvent(b, &in);
    EXPECT_EQ(b->BorderColorNormal(), 0x0000FF);
    QApplication::sendEvent(b, &out);
    EXPECT_EQ(b->shape1()->BorderColor(), kN[2]);
}

TEST_F(NShapeTest, StyleFailsOutsideTheShapeKindsAndAnnouncesOnlySuccess) {
    b->clearChangedProperties();
    b->setStyle(0);
    EXPECT_THROW(b->setStyle(6), rt::RuntimeError);
    EXPECT_THROW(b->setStyle(70000), rt::RuntimeError);  // beyond 16 bits
    EXPECT_EQ(b->Style(), 0);
    EXPECT_EQ(b->changedProperties(), QStringList{QStringLiteral("Style")});
}

TEST_F(NShapeTest, StretchToTextWidthFollowsCaptionAndIcon) {
    b->setGraphical(false);
    b->setText_Visible(false);
    b->setStretchToText(true);
    EXPECT_EQ(b->width(), 16);
    EXPECT_EQ(b->shape1()->width(), 16);

    b->setText_Visible(true);
    const double caption = b->label1()->Width();
    EXPECT_DOUBLE_EQ(b->twipsRect().width(), (caption + 16) * 15);
    EXPECT_DOUBLE_EQ(b->label1()->Left(), 8);

    b->image1()->setPicture(solidPicture(20, 10));
    b->setGraphical(true);
    EXPECT_DOUBLE_EQ(b->twipsRect().width(), (caption + 16 + 20 + 8) * 15);
    EXPECT_DOUBLE_EQ(b->image1()->Top(), (33 - 10) / 2.0);
    EXPECT_DOUBLE_EQ(b->label1()->Left(), 8 + 20 + 8);
    b->setText_Visible(false);
    EXPECT_DOUBLE_EQ(b->twipsRect().width(), (20 + 16) * 15);
}

TEST_F(NShapeTest, FixedWidthCentresTheCaptionAndResizeComesBeforeLayout) {
    b->setCaption(QStringLiteral("Go"));
    EXPECT_DOUBLE_EQ(b->Width(), 1800);
    EXPECT_DOUBLE_EQ(b->label1()->Left(), (120 - b->label1()->Width()) / 2);
    std::vector<double> shapeWidthsSeen;
    b->Resize.handle([&] { shapeWidthsSeen.push_back(b->shape1()->Width()); });
    b->setWidth(2400);
    EXPECT_EQ(shapeWidthsSeen, std::vector<double>{120});
    EXPECT_DOUBLE_EQ(b->shape1()->Width(), 160);
    EXPECT_DOUBLE_EQ(b->label1()->Left(), (160 - b->label1()->Width()) / 2);
}

TEST_F(NShapeTest, StretchedWidthIsInTwipsWhateverTheContainerScale) {
    rt::PictureBox box(&form);
    box.setScaleMode(rt::vbPixels);
    auto* inner = new N_Shape(&box);
    inner->Move(0, 0, 100, 30);
    inner->setText_Visible(false);
    int resizes = 0;
    inner->Resize.handle([&] { ++resizes; });
    inner->setStretchToText(true);
    EXPECT_DOUBLE_EQ(inner->Width(), 16);
    EXPECT_EQ(resizes, 1);
}

TEST_F(NShapeTest, HoverAndPressedPicturesSurviveTheWindowSystemsRepaints) {
    b->setPicture_Normal(solidPicture(12, 12));
    b->setPicture_Hover(solidPicture(12, 12));
    b->setPicture_Down(solidPicture(12, 12));
    const auto repaintEverything = [this] {
        b->label1()->update();  // a constituent's update repaints the surface
        b->update();
        form.repaint();
        QApplication::processEvents();
    };
    onBody();
    repaintEverything();
    EXPECT_EQ(b->CurPicture(), 2);
    host.press(Qt::LeftButton);
    repaintEverything();
    EXPECT_EQ(b->CurPicture(), 1);
    host.release(Qt::LeftButton);
    repaintEverything();
    EXPECT_EQ(b->CurPicture(), 2);
    // The control's own repaint (a key up) still puts the normal icon back.
    QKeyEvent up(QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier);
    QApplication::sendEvent(b, &up);
    repaintEverything();
    EXPECT_EQ(b->CurPicture(), 3);
}

TEST_F(NShapeTest, BackAndForwardButtonsRaiseNothing) {
    onBody();
    log.clear();
    for (Qt::MouseButton extra : {Qt::BackButton, Qt::ForwardButton}) {
        host.click(extra);
        host.doubleClick(extra);
    }
    EXPECT_EQ(log, Log{});
    EXPECT_EQ(b->buttonState(), N_Shape::StateHover);
}

TEST_F(NShapeTest, DisablingTheCaptureHolderReleasesTheCapture) {
    b->setPicture_Normal(solidPicture(12, 12));
    b->setPicture_Hover(solidPicture(12, 12));
    onBody();
    ASSERT_EQ(host.capture, b);
    ASSERT_TRUE(b->MouseInside());
    log.clear();
    b->setEnabled(false);
    EXPECT_EQ(host.capture, nullptr);
    EXPECT_FALSE(b->MouseInside());
    EXPECT_EQ(b->CurPicture(), 3);
    EXPECT_EQ(log, Log{"MouseOut"});
}

TEST_F(NShapeTest, BoxesOpenedFromClickFindTheCaptureGone) {
    std::vector<rt::Hwnd> captureWhenBoxOpened;
    b->Click.handle([&] {
        log.push_back("Click");
        rt::MsgBox(QStringLiteral("嘤嘤嘤~"));
        captureWhenBoxOpened.push_back(host.capture);
        rt::InputBox(QStringLiteral("输入"));
        captureWhenBoxOpened.push_back(host.capture);
    });
    onBody();
    ASSERT_EQ(host.capture, b);
    log.clear();
    host.click();
    EXPECT_EQ(captureWhenBoxOpened, (std::vector<rt::Hwnd>{nullptr, nullptr}));
    EXPECT_EQ(log, (Log{"MouseDown1", "MouseUp1", "Click", "MouseOut"}));
    EXPECT_EQ(host.boxes.size(), 1u);
    // The next move over the button takes the capture again.
    onBody(6);
    EXPECT_EQ(host.capture, b);
}

TEST_F(NShapeTest, ALabelDeclaredLaterOverTheButtonLiesBeneathIt) {
    auto* label = new rt::Label(&form);
    label->setCaption(QStringLiteral("盖在按钮上的标签"));
    label->Move(300, 600, 1200, 300);  // overlaps the button's left part
    label->show();
    const QPoint overlap = b->mapToGlobal(QPoint(5, 5));
    ASSERT_TRUE(label->geometry().contains(form.mapFromGlobal(overlap)));
    EXPECT_EQ(rt::WindowFromPoint(overlap.x(), overlap.y()), b);
    log.clear();
    host.moveTo(overlap);
    EXPECT_EQ(log, (Log{"MouseMove0", "MouseEnter"}));
}

}  // namespace
