// The companion's start-up splash on the recording host: the tool-file check,
// the server start, the grow animation, the four queries on the third tick,
// the answers read back on the fifth (device files written by the test into
// a drive folder of its own), the hand-over and the skip link.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <functional>

#include "pellork/form1.h"
#include "pellork/start.h"
#include "runtime/services.h"
#include "support/recordinghost.h"

namespace {

using pellork::Form1;
using pellork::Start;
using testing_support::RecordingHost;

const QString kFolder = QStringLiteral("/opt/pellork");
const QString kStarting = QStringLiteral("启动ADB服务");
const QString kWarning = QStringLiteral("警告！");
const QString kNotice = QStringLiteral("提示");
const QString kNoPhone = QStringLiteral(
    "未检测到设备， 软件将自动关闭！\r\n请确定:\r\n1.开发者选项中的USB调试已经打开并授权 "
    "\r\n2.驱动正常安装\r\n3.更换电脑重试\r\n4.如果你认为设备连接正常，请点击跳过启动按钮！");
const QString kOtherMaker = QStringLiteral("检测到非小米设备，部分功能不可用！");
const QString kVendorCaption =
    QStringLiteral("Pellork_Mi 第四代免Root搞机工具 酷安@Halvern 【已连接小米设备: %1】");
const QString kOtherCaption =
    QStringLiteral("Pellork 第四代免Root搞机工具 酷安@Halvern 【已连接设备: %1】");
const QString kSkippedCaption =
    QStringLiteral("Pellork_Mi 第四代免Root搞机工具 酷安@Halvern 【已跳过设备检测】");

struct StartTest : ::testing::Test {
    RecordingHost host;
    QTemporaryDir drives;

    StartTest() {
        qputenv("TESSADREL_DRIVES", drives.path().toUtf8());
        rt::App::setPath(kFolder);
        host.files = {kFolder + QStringLiteral("/adb")};
    }
    ~StartTest() override {
        rt::App::setPath({});
        qunsetenv("TESSADREL_DRIVES");
    }

    // As the program starts: loaded, then shown once the load has passed.
    static Start& start() {
        Start& s = rt::Form::get<Start>();
        s.Show();
        return s;
    }
    static Form1* main() { return rt::Form::ifLoaded<Form1>(); }

    static void tick(Start& s, int n = 1) {
        for (int i = 0; i < n; ++i) s.Timer1->fire();
    }

    // A device file as the interpreter leaves it (its folder made on the way).
    static void writeFile(const QString& windowsPath, const QByteArray& bytes) {
        const QString path = rt::hostPath(windowsPath);
        ASSERT_TRUE(QDir().mkpath(QFileInfo(path).path()));
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }
    struct Answers {
        QByteArray model, maker, density, size;
    };
    static void writeAnswers(const Answers& a) {
        writeFile(Start::kModelFile, a.model);
        writeFile(Start::kMakerFile, a.maker);
        writeFile(Start::kDensityFile, a.density);
        writeFile(Start::kSizeFile, a.size);
    }
    static const Answers& phone() {
        static const Answers a{"TestPhone\n", "Xiaomi\n", "Physical density: 440\n",
                               "Physical size: 1080x2340\n"};
        return a;
    }

    // The queries go out on the third tick and empty their files; the
    // answers the phone would write come after, then the fifth tick reads.
    Start& runWith(const Answers& a) {
        Start& s = start();
        tick(s, 3);
        writeAnswers(a);
        tick(s, 2);
        return s;
    }

    // The grow animation run through, so that the links can be clicked.
    static void grow(Start& s) {
        while (s.Timerst->running()) s.Timerst->fire();
    }
    void clickOn(QWidget* w) {
        host.moveTo(QPoint(-500, -500));
        host.moveTo(w, w->rect().center());
        host.click();
    }

    static void closeByUser(rt::Form& f) {
        f.close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

TEST_F(StartTest, StartsTheServerThenAsksThePhoneOnTheThirdTick) {
    Start& s = start();
    ASSERT_NE(main(), nullptr);  // loaded by its command box, and hidden
    EXPECT_FALSE(main()->isVisible());
    EXPECT_TRUE(s.isVisible());
    EXPECT_EQ(s.Caption(), QStringLiteral("ADB"));
    EXPECT_EQ(host.lines(), std::vector<QString>{QStringLiteral("cmd /c adb start-server")});
    EXPECT_EQ(main()->INTERTEXT->Text(), QStringLiteral("adb start-server"));
    EXPECT_EQ(s.stadb->Caption(), kStarting);
    EXPECT_TRUE(s.Timer1->running());
    EXPECT_EQ(s.Timer1->Interval(), 1000);

    std::vector<QString> progress;
    std::vector<size_t> startedAfter;
    for (int t = 1; t <= 4; ++t) {
        tick(s);
        progress.push_back(s.stadb->Caption());
        startedAfter.push_back(host.started.size());
    }
    EXPECT_EQ(progress, (std::vector<QString>{kStarting, kStarting + QStringLiteral("."),
                                              kStarting + QStringLiteral(".."),
                                              kStarting + QStringLiteral("...")}));
    EXPECT_EQ(startedAfter, (std::vector<size_t>{1, 1, 5, 5}));
    EXPECT_EQ(
        host.lines(),
        (std::vector<QString>{
            QStringLiteral("cmd /c adb start-server"),
            QStringLiteral("cmd /c adb shell getprop ro.product.model> C:\\WINDOWS\\serno.txt"),
            QStringLiteral(
                "cmd /c adb shell getprop ro.product.manufacturer> C:\\WINDOWS\\manu.txt"),
            QStringLiteral("cmd /c adb shell wm density> C:\\WINDOWS\\density.txt"),
            QStringLiteral("cmd /c adb shell wm size> C:\\WINDOWS\\size.txt"),
        }));
    for (const auto& started : host.started) EXPECT_EQ(started.style, 2);
    // The redirection goes on the line only; the box is cleared after.
    EXPECT_EQ(main()->INTERTEXT->Text(), QString());
}

TEST_F(StartTest, GrowsFromNothingToFullSizeInTwentyTicks) {
    Start& s = start();
    EXPECT_EQ(s.Width(), 0);
    EXPECT_EQ(s.Height(), 0);
    EXPECT_GE(s.width(), 1);  // a window is never less than a pixel
    EXPECT_EQ(s.Timerst->Interval(), 10);
    s.Timerst->fire();
    EXPECT_EQ(s.Height(), 200);
    EXPECT_EQ(s.Width(), 400);
    for (int i = 1; i < 20; ++i) s.Timerst->fire();
    EXPECT_EQ(s.Height(), 4000);
    EXPECT_EQ(s.Width(), 8000);
    EXPECT_FALSE(s.Timerst->running());
    s.Timerst->fire();
    EXPECT_EQ(s.Width(), 8000);
}

TEST_F(StartTest, AMissingToolFileShowsOneMessageAndEndsBeforeAnythingStarts) {
    const std::vector<QSet<QString>> cases = {
        {},  // none of the three
        // the two libraries but no adb
        {kFolder + QStringLiteral("/AdbWinUsbApi.dll"), kFolder + QStringLiteral("/AdbWinApi.dll")},
        // adb elsewhere, not beside the program
        {QStringLiteral("/usr/bin/adb")},
    };
    for (const auto& files : cases) {
        RecordingHost h;
        h.files = files;
        EXPECT_THROW(start(), rt::ProgramEnded);
        EXPECT_TRUE(h.ended);
        ASSERT_EQ(h.boxes.size(), 1u);
        EXPECT_EQ(h.boxes[0].text,
                  QStringLiteral("驱动不正常！请解压后运行或检查主程序目录下的文件！"));
        EXPECT_EQ(h.boxes[0].flags, rt::vbCritical);
        EXPECT_EQ(h.boxes[0].title, kWarning);
        EXPECT_TRUE(h.started.empty());
        EXPECT_EQ(main(), nullptr);
        rt::Form::unloadAll();
    }
}

TEST_F(StartTest, AXiaomiPhoneHandsOverWithTheLastModelLine) {
    Answers a = phone();
    a.model = "A\nB\n";
    Start& s = runWith(a);
    Form1* f = main();
    ASSERT_NE(f, nullptr);
    EXPECT_TRUE(host.boxes.empty());
    EXPECT_FALSE(host.ended);
    EXPECT_TRUE(f->isVisible());
    EXPECT_EQ(f->Caption(), kVendorCaption.arg(QStringLiteral("B")));
    EXPECT_EQ(f->Text1->Text(), QStringLiteral("B"));
    EXPECT_EQ(f->Text4->Text(), QStringLiteral("Xiaomi"));
    // The splash went, yet the same tick still filled the display values.
    EXPECT_EQ(rt::Form::ifLoaded<Start>(), nullptr);
    EXPECT_EQ(f->dpishow->Caption(), QStringLiteral("原始DPI:     440"));
    EXPECT_EQ(f->sizeshow->Caption(), QStringLiteral("原始分辨率: 1080x2340"));
    EXPECT_FALSE(s.Timer1->Enabled());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(rt::Form::loadedCount(), 1);
}

TEST_F(StartTest, NoModelLineEndsTheProgramWithTheNoPhoneMessage) {
    // An empty last line, an empty file, a missing file (the interpreter never
    // ran): all mean no phone, and none is a run-time error.
    const std::vector<QByteArray> models = {"A\n\n", "", "\r\n"};
    for (const QByteArray& model : models) {
        RecordingHost h;
        h.files = host.files;
        Answers a = phone();
        a.model = model;
        EXPECT_THROW(runWith(a), rt::ProgramEnded);
        EXPECT_TRUE(h.ended);
        ASSERT_EQ(h.boxes.size(), 1u);
        EXPECT_EQ(h.boxes[0].text, kNoPhone);
        EXPECT_EQ(h.boxes[0].flags, rt::vbCritical);
        EXPECT_EQ(h.boxes[0].title, kNotice);
        ASSERT_NE(main(), nullptr);
        EXPECT_EQ(main()->Caption(), QStringLiteral("未检测到设备!"));
        EXPECT_FALSE(main()->isVisible());
        rt::Form::unloadAll();
    }

    RecordingHost h;
    h.files = host.files;
    Start& s = start();
    tick(s, 3);
    QDir(drives.path()).removeRecursively();
    EXPECT_THROW(tick(s, 2), rt::ProgramEnded);
    ASSERT_EQ(h.boxes.size(), 1u);
    EXPECT_EQ(h.boxes[0].text, kNoPhone);
}

TEST_F(StartTest, ThePreviousStartsPhoneIsNotTakenForThisOne) {
    // Left by an earlier run; this run's queries never get to write.
    writeAnswers(phone());
    writeFile(Start::kModelFile, "OldPhone\n");
    Start& s = start();
    tick(s, 3);
    EXPECT_THROW(tick(s, 2), rt::ProgramEnded);
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_EQ(host.boxes[0].text, kNoPhone);
    for (const QString& file :
         {Start::kModelFile, Start::kMakerFile, Start::kDensityFile, Start::kSizeFile})
        EXPECT_EQ(QFileInfo(rt::hostPath(file)).size(), 0) << file.toStdString();
}

// A drive folder the queries cannot write into is no missing phone: the user
// is told which folder, nothing is queried, and the program ends as with no
// phone. A link in a file's place is never followed.
TEST_F(StartTest, ADeviceFileThatCannotBeEmptiedNamesItsFolderInsteadOfNoPhone) {
    const QString victim = drives.filePath(QStringLiteral("victim.txt"));
    const QString density = rt::hostPath(Start::kDensityFile);
    const QString folder = QFileInfo(density).path();
    const std::vector<std::function<void()>> inTheWay = {
        [&] { ASSERT_TRUE(QDir().mkpath(density)); },
        [&] {
            writeFile(Start::kModelFile, "OldPhone\n");
            QFile v(victim);
            ASSERT_TRUE(v.open(QIODevice::WriteOnly));
            v.write("keep");
            v.close();
            ASSERT_TRUE(QFile::link(victim, density));
        },
    };
    for (const auto& put : inTheWay) {
        QDir(drives.path()).removeRecursively();
        put();
        RecordingHost h;
        h.files = host.files;
        Start& s = start();
        tick(s, 2);
        EXPECT_THROW(tick(s), rt::ProgramEnded);
        EXPECT_TRUE(h.ended);
        EXPECT_EQ(h.lines(), std::vector<QString>{QStringLiteral("cmd /c adb start-server")});
        ASSERT_EQ(h.boxes.size(), 1u);
        EXPECT_EQ(
            h.boxes[0].text,
            QStringLiteral("文件夹 %1 中无法写入设备信息文件 density.txt，软件将自动关闭！\r\n"
                           "请确定该文件夹可以写入，且其中没有与该文件同名的文件夹或链接；"
                           "\r\n或用环境变量 TESSADREL_DRIVES 指定另一个可以写入的文件夹。")
                .arg(folder));
        EXPECT_EQ(h.boxes[0].flags, rt::vbCritical);
        EXPECT_EQ(h.boxes[0].title, kNotice);
        ASSERT_NE(main(), nullptr);
        EXPECT_EQ(main()->Caption(), QStringLiteral("未检测到设备!"));
        EXPECT_FALSE(s.Timer1->Enabled());
        rt::Form::unloadAll();
    }
    QFile v(victim);
    ASSERT_TRUE(v.open(QIODevice::ReadOnly));
    EXPECT_EQ(v.readAll(), QByteArray("keep"));
}

TEST_F(StartTest, AnyOtherMakerIsWarnedAboutThenHandedOver) {
    struct Case {
        QByteArray maker;
        QString text4;
    };
    const Case cases[] = {
        {"xiaomi\n", QStringLiteral("xiaomi")},
        {"Xiaomi \n", QStringLiteral("Xiaomi ")},
        {"", QStringLiteral("Text4")},  // no line: the box keeps its design text
        {"HMD Global\r\n", QStringLiteral("HMD Global")},
    };
    for (const Case& c : cases) {
        RecordingHost h;
        h.files = host.files;
        Answers a = phone();
        a.maker = c.maker;
        runWith(a);
        Form1* f = main();
        ASSERT_NE(f, nullptr);
        EXPECT_EQ(f->Text4->Text(), c.text4);
        EXPECT_EQ(f->Caption(), kOtherCaption.arg(QStringLiteral("TestPhone")));
        ASSERT_EQ(h.boxes.size(), 1u) << c.maker.toStdString();
        EXPECT_EQ(h.boxes[0].text, kOtherMaker);
        EXPECT_EQ(h.boxes[0].flags, rt::vbExclamation);
        EXPECT_EQ(h.boxes[0].title, kNotice);
        EXPECT_TRUE(f->isVisible());
        EXPECT_EQ(rt::Form::ifLoaded<Start>(), nullptr);
        EXPECT_FALSE(h.ended);
        EXPECT_EQ(f->dpishow->Caption(), QStringLiteral("原始DPI:     440"));
        rt::Form::unloadAll();
    }
}

TEST_F(StartTest, AnEmptyMakerLineKeepsTheSplashUntilTheUserSkips) {
    Answers a = phone();
    a.maker = "Xiaomi\n\n";
    Start& s = runWith(a);
    Form1* f = main();
    ASSERT_NE(f, nullptr);
    EXPECT_TRUE(host.boxes.empty());
    EXPECT_FALSE(f->isVisible());
    EXPECT_EQ(f->Caption(), QStringLiteral("Form1"));
    EXPECT_EQ(rt::Form::ifLoaded<Start>(), &s);
    EXPECT_EQ(s.stadb->Caption(), kStarting + QStringLiteral("...."));
    EXPECT_FALSE(s.Timer1->Enabled());
    EXPECT_EQ(f->sizeshow->Caption(), QStringLiteral("原始分辨率: 1080x2340"));

    // Ticks past the fifth never start a second run, however many come.
    s.Timer1->setEnabled(true);
    tick(s, 70000);
    EXPECT_EQ(host.started.size(), 5u);
    EXPECT_TRUE(host.boxes.empty());
    EXPECT_EQ(s.stadb->Caption(), kStarting + QStringLiteral("...."));

    grow(s);
    clickOn(s.Label2);
    EXPECT_EQ(host.boxes.size(), 1u);
    EXPECT_TRUE(f->isVisible());
    EXPECT_EQ(f->Caption(), kSkippedCaption);
    EXPECT_EQ(rt::Form::ifLoaded<Start>(), nullptr);
    EXPECT_FALSE(host.ended);
}

TEST_F(StartTest, DensityAndSizeKeepTheValueOfTheLastLine) {
    struct Case {
        QByteArray density, size;
        QString text2, dpishow, text5, sizeshow;
    };
    const Case cases[] = {
        {"Physical density: 440\nOverride density: 400\n", "Physical size: 1080x2340\n",
         QStringLiteral("400"), QStringLiteral("原始DPI:     400"), QStringLiteral("1080x2340"),
         QStringLiteral("原始分辨率: 1080x2340")},
        // A line shorter than three is taken whole; one of 15 has no value.
        {"40", "Physical size: ", QStringLiteral("40"), QStringLiteral("原始DPI:     40"),
         QString(), QStringLiteral("原始分辨率: ")},
        // CR LF and lone CR end lines as LF does.
        {"Physical density: 480\r\n", "Physical size: 1440x3200\r\nOverride size: 720x1600\r\n",
         QStringLiteral("480"), QStringLiteral("原始DPI:     480"), QStringLiteral("720x1600"),
         QStringLiteral("原始分辨率: 720x1600")},
        {"Physical density: 320\rOverride density: 360", "Physical size: 720x1280\r",
         QStringLiteral("360"), QStringLiteral("原始DPI:     360"), QStringLiteral("720x1280"),
         QStringLiteral("原始分辨率: 720x1280")},
        // No lines: the boxes keep their design texts, the labels stay empty.
        {"", "", QString(), QString(), QStringLiteral("Text5"), QString()},
    };
    for (const Case& c : cases) {
        RecordingHost h;
        h.files = host.files;
        Answers a = phone();
        a.density = c.density;
        a.size = c.size;
        runWith(a);
        Form1* f = main();
        ASSERT_NE(f, nullptr);
        EXPECT_EQ(f->Text2->Text(), c.text2) << c.density.toStdString();
        EXPECT_EQ(f->dpishow->Caption(), c.dpishow);
        EXPECT_EQ(f->Text5->Text(), c.text5) << c.size.toStdString();
        EXPECT_EQ(f->sizeshow->Caption(), c.sizeshow);
        rt::Form::unloadAll();
    }
}

TEST_F(StartTest, SkippingHandsOverAtOnceAndReadsNothing) {
    for (int ticks : {0, 3, 4}) {
        RecordingHost h;
        h.files = host.files;
        Start& s = start();
        tick(s, ticks);
        writeAnswers(phone());  // written by the queries, if they ran
        grow(s);
        h.moveTo(QPoint(-500, -500));
        h.moveTo(s.Label2, s.Label2->rect().center());
        h.click();
        ASSERT_EQ(h.boxes.size(), 1u);
        EXPECT_EQ(h.boxes[0].text, QStringLiteral("已跳过设备检测！\r\n若各项功能无效请在启动"
                                                  "界面下载安装驱动重试！"));
        EXPECT_EQ(h.boxes[0].flags, rt::vbExclamation);
        EXPECT_EQ(h.boxes[0].title, kWarning);
        Form1* f = main();
        ASSERT_NE(f, nullptr);
        EXPECT_TRUE(f->isVisible());
        EXPECT_EQ(f->Caption(), kSkippedCaption);
        EXPECT_EQ(f->Text1->Text(), QString());
        EXPECT_EQ(f->Text4->Text(), QStringLiteral("Text4"));
        EXPECT_EQ(f->Text5->Text(), QStringLiteral("Text5"));
        EXPECT_EQ(f->dpishow->Caption(), QString());
        EXPECT_EQ(f->sizeshow->Caption(), QString());
        EXPECT_FALSE(s.Timer1->Enabled());
        EXPECT_EQ(rt::Form::ifLoaded<Start>(), nullptr);
        EXPECT_FALSE(h.ended);
        EXPECT_EQ(h.started.size(), ticks >= 3 ? 5u : 1u);
        rt::Form::unloadAll();
    }
}

TEST_F(StartTest, ClosingTheSplashEndsTheProgram) {
    Start& s = start();
    tick(s, 2);
    EXPECT_THROW(closeByUser(s), rt::ProgramEnded);
    EXPECT_TRUE(host.ended);
    EXPECT_EQ(host.started.size(), 1u);
}

TEST_F(StartTest, TheDriverLinkOpensTheArchiveAndNothingElse) {
    Start& s = start();
    grow(s);
    clickOn(s.Label3);
    EXPECT_EQ(host.opened, std::vector<QString>{Start::kDriverArchive});
    EXPECT_TRUE(Start::kDriverArchive.endsWith(QStringLiteral(".zip")));
    EXPECT_EQ(host.started.size(), 1u);
    EXPECT_TRUE(host.boxes.empty());
    EXPECT_TRUE(s.Timer1->running());
}

}  // namespace
