// The window runtime: windows loaded once on first reference, text boxes,
// drops of files, text files, Dir and the title of untitled boxes.
#include <gtest/gtest.h>

#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include "runtime/application.h"
#include "runtime/form.h"
#include "runtime/intrinsics.h"
#include "runtime/platform.h"
#include "runtime/services.h"
#include "runtime/usercontrol.h"
#include "support/recordinghost.h"

namespace {

using testing_support::RecordingHost;

int loads = 0;

class CountingForm : public rt::Form {
public:
    CountingForm() {
        box = new rt::TextBox(this);
        box->setObjectName(QStringLiteral("Box"));
        addControl(box);
    }
    rt::TextBox* box;

protected:
    void Form_Load() override { ++loads; }
};

TEST(Forms, LoadedOnceOnFirstReferenceAndAfreshAfterUnload) {
    RecordingHost host;
    loads = 0;
    EXPECT_EQ(rt::Form::ifLoaded<CountingForm>(), nullptr);
    CountingForm& a = rt::Form::get<CountingForm>();
    CountingForm& b = rt::Form::get<CountingForm>();
    EXPECT_EQ(&a, &b);
    EXPECT_EQ(loads, 1);
    a.box->setText(QStringLiteral("typed"));

    a.Unload();
    EXPECT_TRUE(host.lastUnloaded);
    EXPECT_EQ(rt::Form::ifLoaded<CountingForm>(), nullptr);
    CountingForm& c = rt::Form::get<CountingForm>();
    EXPECT_EQ(loads, 2);
    EXPECT_EQ(c.box->Text(), QString());  // a fresh window, not the discarded one
    EXPECT_EQ(c.findControl(QStringLiteral("box")), c.box);
}

TEST(TextBox, ChangeOnlyForAnotherTextAndKeyPressCanDropKeys) {
    RecordingHost host;
    rt::Form form;
    rt::TextBox box(&form);
    int changes = 0;
    box.Change.handle([&] { ++changes; });
    box.setText(QStringLiteral("adb"));
    box.setText(QStringLiteral("adb"));
    EXPECT_EQ(changes, 1);
    box.setText(QString());
    EXPECT_EQ(changes, 2);

    // A handler that keeps digits only.
    box.KeyPress.handle([](rt::Integer& k) {
        if (k >= 32 && (k < '0' || k > '9')) k = 0;
    });
    form.show();
    box.editor()->setFocus();
    QTest::keyClicks(box.editor(), QStringLiteral("1a2 b3"));
    EXPECT_EQ(box.Text(), QStringLiteral("123"));
    // A handler may also hand back another character.
    box.KeyPress.handle([](rt::Integer& k) {
        if (k == 'x') k = '9';
    });
    QTest::keyClicks(box.editor(), QStringLiteral("x"));
    EXPECT_EQ(box.Text(), QStringLiteral("1239"));
}

TEST(TextBox, OneLineBoxIsNeverLowerThanALine) {
    RecordingHost host;
    rt::Form form;
    rt::TextBox box(&form);
    box.Move(0, 0, 1200, 15);
    EXPECT_GE(box.height(), box.editor()->fontMetrics().height());
    EXPECT_GT(box.Height(), 15);
}

TEST(Label, AnAutoSizedCaptionFitsOnOneLine) {
    RecordingHost host;
    rt::Form form;
    rt::Label label(&form);
    label.setFont(rt::runtimeFont(QStringLiteral("Noto Sans CJK SC"), 9, false));
    label.setAutoSize(true);
    // Mixed scripts add up to fractions of a pixel.
    for (const QString& caption :
         {QStringLiteral("音量+"), QStringLiteral("音量-"), QStringLiteral("播放/暂停"),
          QStringLiteral("Enter"), QStringLiteral("修改字体大小倍数(默认1.0)：")}) {
        label.setCaption(caption);
        const QFontMetrics fm(label.font());
        EXPECT_LT(fm.boundingRect(label.rect(), Qt::TextWordWrap, caption).height(),
                  2 * fm.height())
            << caption.toStdString();
    }
}

TEST(Frame, DropOfFilesGivesTheFileListWithTheFirstPathAtOne) {
    RecordingHost host;
    rt::Form form;
    rt::Frame frame(&form);
    frame.Move(0, 0, 1500, 1500);
    frame.setOLEDropMode(1);
    QStringList seen;
    bool hasFiles = false;
    frame.OLEDragDrop.handle(
        [&](rt::DataObject& data, rt::Long&, rt::Integer&, rt::Integer&, rt::Single&, rt::Single&) {
            hasFiles = data.GetFormat(rt::DataObject::vbCFFiles);
            seen << data.Files(1);
            EXPECT_THROW(data.Files(0), rt::RuntimeError);
        });
    // As a file manager delivers it: a list of file addresses.
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(QStringLiteral("/home/u/app one.apk")),
                  QUrl::fromLocalFile(QStringLiteral("/home/u/other.apk"))});
    form.show();
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&frame, &enter);
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&frame, &drop);
    EXPECT_TRUE(hasFiles);
    EXPECT_EQ(seen, QStringList{QStringLiteral("/home/u/app one.apk")});
}

TEST(TextFile, LinesEndAtCrCrLfOrLf) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("lines.txt"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("one\r\ntwo\nthree\rfour\n\nlast");
    f.close();
    rt::TextFile t(path);
    QStringList lines;
    while (!t.Eof()) lines << t.LineInput();
    EXPECT_EQ(lines,
              (QStringList{QStringLiteral("one"), QStringLiteral("two"), QStringLiteral("three"),
                           QStringLiteral("four"), QString(), QStringLiteral("last")}));
    EXPECT_THROW(t.LineInput(), rt::RuntimeError);
    EXPECT_THROW(rt::TextFile(dir.filePath(QStringLiteral("missing.txt"))), rt::RuntimeError);
}

TEST(Services, DirFindsTheToolFilesAsThisMachineHasThem) {
    RecordingHost host;
    host.files = {QStringLiteral("/opt/t/adb")};
    EXPECT_EQ(rt::Dir(QStringLiteral("/opt/t\\adb.exe")), QStringLiteral("adb.exe"));
    EXPECT_EQ(rt::Dir(QStringLiteral("/opt/t\\AdbWinApi.dll")), QStringLiteral("AdbWinApi.dll"));
    EXPECT_EQ(rt::Dir(QStringLiteral("/opt/t\\AdbWinUsbApi.dll")),
              QStringLiteral("AdbWinUsbApi.dll"));
    EXPECT_EQ(rt::Dir(QStringLiteral("/opt/t\\fastboot.exe")), QString());
}

TEST(Services, UntitledBoxesShowTheProgramTitle) {
    RecordingHost host;
    rt::MsgBox(QStringLiteral("嘤嘤嘤~"), rt::vbOKOnly, QStringLiteral("彩蛋"));
    rt::MsgBox(QStringLiteral("x"));
    ASSERT_EQ(host.boxes.size(), 2u);
    EXPECT_EQ(host.boxes[0].title, QStringLiteral("彩蛋"));
    EXPECT_EQ(host.boxes[1].title, rt::App::Title());
    EXPECT_THROW(rt::End(), rt::ProgramEnded);
    EXPECT_TRUE(host.ended);
    host.inputAnswers = {QStringLiteral("typed")};
    EXPECT_EQ(rt::InputBox(QStringLiteral("?")), QStringLiteral("typed"));
    EXPECT_EQ(rt::InputBox(QStringLiteral("?")), QString());  // cancel
}

// A control that sets its own size while handling Resize.
class Growing : public rt::UserControl {
public:
    using rt::UserControl::UserControl;
    std::vector<double> widths;

protected:
    void UserControl_Resize() override {
        widths.push_back(Width());
        if (Width() < 900) setWidth(900);
    }
};

TEST(UserControl, SettingItsOwnSizeInResizeNestsAnotherResize) {
    RecordingHost host;
    rt::Form form;
    Growing g(&form);
    g.Move(0, 0, 300, 300);
    EXPECT_EQ(g.widths, (std::vector<double>{300, 900}));
    EXPECT_EQ(g.Width(), 900);
    g.setScaleMode(rt::vbPixels);
    EXPECT_EQ(g.ScaleWidth(), 60);
}

TEST(Timer, TicksOnlyWhileEnabledWithAnInterval) {
    RecordingHost host;
    rt::Timer t(nullptr);
    int ticks = 0;
    t.Tick.handle([&] { ++ticks; });
    t.fire();  // interval 0: no tick
    t.setInterval(1000);
    t.fire();
    t.setEnabled(false);
    t.fire();
    EXPECT_EQ(ticks, 1);
}

TEST(Pointer, WindowFromPointSeesWindowedControlsOnly) {
    RecordingHost host;
    rt::Form form;
    form.setClientSize(3000, 3000);
    rt::PictureBox box(&form);
    box.Move(150, 150, 1500, 1500);
    rt::Label label(&box);
    label.Move(0, 0, 750, 750);
    form.show();
    const QPoint overLabel = label.mapToGlobal(QPoint(2, 2));
    EXPECT_EQ(rt::WindowFromPoint(overLabel.x(), overLabel.y()), &box);
    const QPoint outside = form.mapToGlobal(QPoint(190, 190));
    EXPECT_EQ(rt::WindowFromPoint(outside.x(), outside.y()), &form);
}

// A first window whose load handler fails with an error nothing traps.
class FailingStart : public rt::Form {
protected:
    void Form_Load() override {
        loads += 1;
        throw rt::RuntimeError(53, QStringLiteral("File not found"));
    }
};

TEST(Startup, AnUntrappedErrorInTheFirstLoadShowsTheErrorBoxAndEndsTheProgram) {
    RecordingHost host;
    loads = 0;
    rt::startInEventLoop([] { rt::Form::get<FailingStart>().Show(); });
    EXPECT_EQ(loads, 0);  // nothing loads before the event loop runs
    QCoreApplication::processEvents();
    EXPECT_EQ(loads, 1);
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_EQ(host.boxes[0].text, QStringLiteral("Run-time error '53':\n\nFile not found"));
    EXPECT_EQ(host.boxes[0].flags, rt::vbCritical);
    EXPECT_TRUE(host.ended);
}

TEST(Startup, TheProgramsRunOnX11WheneverAnXDisplayIsReachable) {
    int probes = 0;
    const auto reachable = [&] {
        ++probes;
        return true;
    };
    const auto unreachable = [] { return false; };
    // A Wayland desktop with XWayland: DISPLAY and WAYLAND_DISPLAY both set.
    EXPECT_EQ(rt::platformFor({}, ":0", reachable), QByteArray("xcb"));
    EXPECT_EQ(rt::platformFor({}, ":0", unreachable), QByteArray());
    EXPECT_EQ(rt::platformFor({}, {}, reachable), QByteArray());
    // What the user asked for stands, and the display is not even probed.
    probes = 0;
    EXPECT_EQ(rt::platformFor("wayland", ":0", reachable), QByteArray());
    EXPECT_EQ(rt::platformFor("offscreen", ":0", reachable), QByteArray());
    EXPECT_EQ(probes, 0);
}

// A host that tells when the pointer may have changed, as the real one does.
struct ChangesHost : RecordingHost {
    rt::PointerChanges changes;
    rt::PointerChanges* pointerChanges() override { return &changes; }
};

TEST(Timers, APointerPollRestsWhileNothingChangesAndTicksAgainAfterAChange) {
    ChangesHost host;
    rt::Timer poll(nullptr);
    int ticks = 0;
    poll.Tick.handle([&] { ++ticks; });
    poll.setInterval(1);
    poll.setPointerPoll(true);
    poll.fire();
    EXPECT_FALSE(poll.resting());
    poll.fire();  // found what the one before found
    EXPECT_TRUE(poll.resting());
    EXPECT_TRUE(poll.running());
    poll.fire();  // the slow tick while resting still looks
    EXPECT_EQ(ticks, 3);
    EXPECT_TRUE(poll.resting());

    host.changes.bump();  // the pointer moved
    EXPECT_FALSE(poll.resting());
    poll.fire();
    EXPECT_FALSE(poll.resting());
    poll.fire();
    EXPECT_TRUE(poll.resting());
    poll.setEnabled(false);
    EXPECT_FALSE(poll.resting());

    // A plain timer never rests.
    rt::Timer plain(nullptr);
    plain.setInterval(1);
    plain.fire();
    plain.fire();
    EXPECT_FALSE(plain.resting());
}

}  // namespace
