// The window runtime: windows loaded once on first reference, text boxes,
// autosized labels, refused property values, drops (files, text, addresses),
// text files, Dir and the title of untitled boxes.
#include <gtest/gtest.h>

#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QImage>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <memory>
#include <string>
#include <vector>

#include "runtime/application.h"
#include "runtime/design.h"
#include "runtime/form.h"
#include "runtime/frame.h"
#include "runtime/label.h"
#include "runtime/picturebox.h"
#include "runtime/posix/shellstart.h"
#include "runtime/services.h"
#include "runtime/shape.h"
#include "runtime/textbox.h"
#include "runtime/timer.h"
#include "runtime/usercontrol.h"
#include "runtime/x11/platform.h"
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

TEST(Forms, SizeSetInTwipsReadsBackAsGivenWithAtLeastOnePixelShown) {
    RecordingHost host;
    rt::Form form;
    struct Case {
        double twips;
        int pixels;
    };
    // 8000 twips is 533 whole pixels (7995 twips), yet reads back 8000.
    const Case cases[] = {{8000, 533}, {4000, 267}, {200, 13}, {7, 1}, {0, 1}};
    for (const Case& c : cases) {
        form.setWidth(c.twips);
        form.setHeight(c.twips / 2);
        EXPECT_EQ(form.width(), c.pixels) << c.twips;
        EXPECT_EQ(form.Width(), c.twips);
        EXPECT_EQ(form.Height(), c.twips / 2);
        EXPECT_GE(form.height(), 1);
    }
    // Once the window takes another size, its pixels tell.
    form.setWidth(8000);
    form.resize(100, 50);
    EXPECT_EQ(form.Width(), 1500);
    EXPECT_EQ(form.Height(), 750);
}

TEST(Forms, AFixedWindowTakesTheSizesItIsGivenAndNoOther) {
    RecordingHost host;
    rt::Form form;
    form.setClientSize(3000, 1500);
    form.setBorderStyle(1);
    EXPECT_EQ(form.minimumSize(), QSize(200, 100));
    EXPECT_EQ(form.maximumSize(), QSize(200, 100));
    form.resize(400, 400);  // as a user's drag would
    EXPECT_EQ(form.size(), QSize(200, 100));
    // Code still sets its size, which stays fixed.
    form.setWidth(4500);
    EXPECT_EQ(form.Width(), 4500);
    EXPECT_EQ(form.maximumSize(), QSize(300, 100));
    form.setBorderStyle(2);
    form.resize(400, 400);
    EXPECT_EQ(form.size(), QSize(400, 400));
}

// Sizes and positions beyond any screen (a damaged design file) still give
// a window and a control as large as a widget can be, not none.
TEST(Forms, SizesBeyondAnyScreenTakeTheLargestWidgetSize) {
    RecordingHost host;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Huge.json"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(R"({"name": "Huge", "clientWidth": 5.5e67, "clientHeight": 3600, "controls": [
        {"type": "Frame", "name": "F", "left": -5e20, "top": 0, "width": 1e300, "height": 300}]})");
    file.close();
    rt::Form form;
    rt::design::load(form, path);
    EXPECT_EQ(form.width(), QWIDGETSIZE_MAX);
    auto* frame = form.ctl<rt::Frame>(QStringLiteral("F"));
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->x(), -QWIDGETSIZE_MAX);
    EXPECT_EQ(frame->width(), QWIDGETSIZE_MAX);
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

// Character advances come in fractions of a pixel: the label must neither
// be a fraction too narrow nor wrap its last character out of sight.
TEST(Label, AnAutosizedCaptionIsDrawnWholeOnOneLine) {
    RecordingHost host;
    rt::Form form;
    const char* captions[] = {"更换MIUI服务器以去除x", "静音(振动)",
                              "Captive Portal Status:", "图标左右间距(8.1/9.0专用)：",
                              "illicit little lilies"};
    auto ink = [](const QImage& image) {
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) n += qGray(image.pixel(x, y)) < 160;
        return n;
    };
    for (const char* text : captions) {
        rt::Label label(&form);
        label.setFont(QFont(QStringLiteral("Noto Sans CJK SC"), 9));
        label.setBackColor(0xFFFFFF);
        label.setForeColor(0);
        label.setAutoSize(true);
        label.setCaption(QString::fromUtf8(text));
        EXPECT_GE(label.width(), QFontMetricsF(label.font()).horizontalAdvance(label.Caption()))
            << text;

        QImage unbounded(label.width() + 60, label.height(), QImage::Format_RGB32);
        unbounded.fill(Qt::white);
        QPainter p(&unbounded);
        p.setFont(label.font());
        p.setPen(Qt::black);
        p.drawText(unbounded.rect(), Qt::AlignLeft | Qt::AlignTop, label.Caption());
        p.end();
        EXPECT_EQ(ink(label.grab().toImage()), ink(unbounded)) << text;
    }
}

// What OLEDragDrop saw of one drop: each file as path, with "?" in front of a
// file that is not on this computer; "none" when the data offered no files.
struct DropLog {
    int drops = 0;
    QStringList files;
    void attach(rt::Frame& frame) {
        frame.OLEDragDrop.handle([this](rt::DataObject& data, rt::Long&, rt::Integer&, rt::Integer&,
                                        rt::Single&, rt::Single&) {
            ++drops;
            files.clear();
            if (!data.GetFormat(rt::DataObject::vbCFFiles)) {
                files << QStringLiteral("none");
                EXPECT_THROW(data.Files(1), rt::RuntimeError);
                return;
            }
            EXPECT_THROW(data.Files(0), rt::RuntimeError);
            EXPECT_THROW(data.FileIsHere(data.FileCount() + 1), rt::RuntimeError);
            for (int i = 1; i <= data.FileCount(); ++i)
                files << (data.FileIsHere(i) ? QString() : QStringLiteral("?")) + data.Files(i);
        });
    }
};

struct FrameDrop : ::testing::Test {
    RecordingHost host;
    rt::Form form;
    rt::Frame* frame = new rt::Frame(&form);
    rt::Label* label = new rt::Label(frame);
    DropLog log;

    FrameDrop() {
        form.setClientSize(3000, 3000);
        frame->Move(150, 150, 2250, 2250);
        frame->setOLEDropMode(1);
        label->Move(150, 300, 1500, 300);
        label->setCaption(QStringLiteral("drop here"));
        log.attach(*frame);
        form.show();
    }
};

TEST_F(FrameDrop, EveryDropArrivesAndOffersFilesOnlyWhenFilesCame) {
    const auto urls = [](std::initializer_list<const char*> list) {
        auto m = std::make_unique<QMimeData>();
        QList<QUrl> u;
        for (const char* s : list) u << QUrl(QString::fromUtf8(s));
        m->setUrls(u);
        return m;
    };
    auto text = std::make_unique<QMimeData>();
    text->setText(QStringLiteral("com.example.app"));
    auto linkFromBrowser = urls({"https://example.com/app.apk"});
    linkFromBrowser->setText(QStringLiteral("https://example.com/app.apk"));

    struct Row {
        const char* what;
        std::unique_ptr<QMimeData> data;
        QStringList files;
    };
    Row rows[] = {
        {"files from a file manager, in order",
         urls({"file:///home/u/app%20one.apk", "file:///home/u/other.apk"}),
         {QStringLiteral("/home/u/app one.apk"), QStringLiteral("/home/u/other.apk")}},
        {"this computer named as localhost",
         urls({"file://localhost/tmp/x.apk"}),
         {QStringLiteral("/tmp/x.apk")}},
        {"plain text", std::move(text), {QStringLiteral("none")}},
        {"a web address", std::move(linkFromBrowser), {QStringLiteral("none")}},
        {"a web address beside a file",
         urls({"https://example.com/", "file:///tmp/a.apk"}),
         {QStringLiteral("/tmp/a.apk")}},
        {"files on shares nobody mounted",
         urls({"smb://nas/share/a.apk", "file://nas/share/b.apk", "sftp://host/c.apk"}),
         {QStringLiteral("?smb://nas/share/a.apk"), QStringLiteral("?//nas/share/b.apk"),
          QStringLiteral("?sftp://host/c.apk")}},
    };
    for (Row& row : rows) {
        SCOPED_TRACE(row.what);
        const int before = log.drops;
        EXPECT_TRUE(host.dropOn(frame, QPoint(120, 120), *row.data));
        EXPECT_EQ(log.drops, before + 1);
        EXPECT_EQ(log.files, row.files);
    }
}

TEST_F(FrameDrop, ADropOverAContainedLabelIsADropOnTheFrame) {
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(QStringLiteral("/tmp/x.apk"))});
    EXPECT_TRUE(host.dropOn(label, label->rect().center(), mime));
    EXPECT_EQ(log.drops, 1);
    EXPECT_EQ(log.files, QStringList{QStringLiteral("/tmp/x.apk")});
}

TEST_F(FrameDrop, WithoutDropModeManualNothingIsTaken) {
    frame->setOLEDropMode(0);
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(QStringLiteral("/tmp/x.apk"))});
    EXPECT_FALSE(host.dropOn(label, QPoint(5, 5), mime));
    EXPECT_FALSE(host.dropOn(frame, QPoint(120, 120), mime));
    EXPECT_EQ(log.drops, 0);
}

TEST(Frame, ABorderlessFrameDrawsNeitherBorderNorCaption) {
    RecordingHost host;
    rt::Form form;
    rt::Frame frame(&form);
    frame.Move(0, 0, 1500, 900);
    frame.setBackColor(0xFFFFFF);
    frame.setForeColor(0);
    frame.setCaption(QStringLiteral("Frame1"));
    auto colours = [](const QImage& image) {
        QSet<QRgb> seen;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) seen.insert(image.pixel(x, y) | 0xFF000000u);
        return seen;
    };
    EXPECT_GT(colours(frame.grab().toImage()).size(), 1);
    frame.setBorderStyle(0);
    EXPECT_EQ(colours(frame.grab().toImage()), QSet<QRgb>{0xFFFFFFFFu});
    EXPECT_EQ(frame.Caption(), QStringLiteral("Frame1"));
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

TEST(TextFile, CreatingAnEmptyFileMakesItsFoldersAndEmptiesWhatWasThere) {
    QTemporaryDir dir;
    qputenv("TESSADREL_DRIVES", dir.path().toUtf8());
    const QString file = QStringLiteral("C:\\WINDOWS\\serno.txt");
    ASSERT_TRUE(rt::CreateEmptyFile(file));  // the drive folder starts empty
    QFile f(rt::hostPath(file));
    EXPECT_EQ(rt::hostPath(file), dir.filePath(QStringLiteral("c/WINDOWS/serno.txt")));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("OldPhone\n");
    f.close();
    ASSERT_TRUE(rt::CreateEmptyFile(file));
    EXPECT_EQ(QFileInfo(f).size(), 0);
    EXPECT_TRUE(rt::TextFile(file).Eof());
    qunsetenv("TESSADREL_DRIVES");
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

// Shell on this machine when something is missing: a minimized console runs
// hidden without a terminal program, a normal one is refused with our
// message, and a missing interpreter gets our message too; the program runs on.
TEST(Services, ShellWithoutTerminalOrInterpreterTellsTheUserAndRunsOn) {
    namespace ss = rt::shellstart;
    RecordingHost host;  // only its message boxes and end are used
    QTemporaryDir app;
    QProcessEnvironment env;
    env.insert(QStringLiteral("PATH"), app.filePath(QStringLiteral("bin")));
    const QString detect = QStringLiteral("cmd /c adb start-server");

    EXPECT_EQ(ss::run(detect, 2, app.path(), env), 0);
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_EQ(host.boxes[0].text, ss::failureMessage(ss::Failure::NoProgram));
    EXPECT_EQ(host.boxes[0].flags, rt::vbExclamation);
    EXPECT_EQ(host.boxes[0].title, rt::App::Title());
    EXPECT_FALSE(host.ended);

    QFile cmd(app.filePath(QStringLiteral("cmd")));
    ASSERT_TRUE(cmd.open(QIODevice::WriteOnly));
    cmd.write("#!/bin/sh\n");
    cmd.close();
    cmd.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_GT(ss::run(detect, 2, app.path(), env), 0);
    EXPECT_EQ(host.boxes.size(), 1u);
    EXPECT_EQ(ss::run(QStringLiteral("cmd /k adb devices"), 1, app.path(), env), 0);
    ASSERT_EQ(host.boxes.size(), 2u);
    EXPECT_EQ(host.boxes[1].text, ss::failureMessage(ss::Failure::NoTerminal));
    EXPECT_FALSE(host.ended);
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

// A tick is delivered only when no input waits: a press queued while the
// timer came due is handled first, and a press that stops the timer leaves
// the tick out.
TEST(Timer, InputQueuedBeforeATickIsHandledFirst) {
    RecordingHost host;
    rt::Form form;
    form.setClientSize(3000, 3000);
    rt::PictureBox box(&form);
    box.Move(0, 0, 1500, 1500);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    rt::Timer t(&form);
    t.setInterval(1000);
    std::vector<std::string> log;
    bool pressStops = false;
    t.Tick.handle([&] { log.push_back("tick"); });
    box.MouseDown.handle([&](rt::Integer&, rt::Integer&, rt::Single&, rt::Single&) {
        log.push_back("press");
        if (pressStops) t.setEnabled(false);
    });
    const auto queuePress = [&] {
        const QPointF at(20, 20);
        QCoreApplication::postEvent(
            form.windowHandle(), new QMouseEvent(QEvent::MouseButtonPress, at, form.mapToGlobal(at),
                                                 Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
        QCoreApplication::postEvent(
            form.windowHandle(),
            new QMouseEvent(QEvent::MouseButtonRelease, at, form.mapToGlobal(at), Qt::LeftButton,
                            Qt::NoButton, Qt::NoModifier));
    };
    queuePress();
    t.fire();
    EXPECT_EQ(log, (std::vector<std::string>{"press", "tick"}));

    log.clear();
    pressStops = true;
    queuePress();
    t.fire();
    EXPECT_EQ(log, std::vector<std::string>{"press"});
    EXPECT_FALSE(t.running());
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

// Out-of-range property values fail with error 380 and leave the control as
// it was; what was set reads back; Enabled is the control's own setting, not
// whether its window lets it take input.
TEST(Intrinsics, RefusedValuesLeaveTheControlAsItWas) {
    RecordingHost host;
    rt::Form form;
    auto refused = [](auto set) {
        try {
            set();
        } catch (const rt::RuntimeError& e) {
            return e.number();
        }
        return 0;
    };

    rt::Label label(&form);
    label.setAlignment(2);
    EXPECT_EQ(refused([&] { label.setAlignment(3); }), 380);
    EXPECT_EQ(refused([&] { label.setAlignment(-1); }), 380);
    EXPECT_EQ(label.Alignment(), 2);

    rt::TextBox box(&form);
    box.setAlignment(1);
    EXPECT_EQ(refused([&] { box.setAlignment(7); }), 380);
    EXPECT_EQ(box.Alignment(), 1);
    EXPECT_EQ(box.editor()->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);

    rt::Shape shape(&form);
    shape.setShapeKind(4);
    EXPECT_EQ(refused([&] { shape.setShapeKind(6); }), 380);
    EXPECT_EQ(shape.ShapeKind(), 4);
    shape.setBackColor(0x80FF80);
    shape.setFillColor(0x123456);
    shape.setBorderColor(0xFF);
    EXPECT_EQ(shape.BackColor(), 0x80FF80);
    EXPECT_EQ(shape.FillColor(), 0x123456);
    EXPECT_EQ(shape.BorderColor(), 0xFF);

    rt::Label inside(&form);
    form.setEnabled(false);
    EXPECT_TRUE(inside.Enabled());
    EXPECT_FALSE(inside.isEnabled());
    inside.setEnabled(false);
    form.setEnabled(true);
    EXPECT_FALSE(inside.Enabled());
    inside.setEnabled(true);
    EXPECT_TRUE(inside.Enabled());
}
