#include "start.h"

#include <QFileInfo>
#include <QStringList>
#include <algorithm>

#include "common/commandrunner.h"
#include "form1.h"
#include "runtime/design.h"
#include "runtime/services.h"
#include "runtime/textbox.h"

namespace pellork {

const QString Start::kModelFile = QStringLiteral("C:\\WINDOWS\\serno.txt");
const QString Start::kMakerFile = QStringLiteral("C:\\WINDOWS\\manu.txt");
const QString Start::kDensityFile = QStringLiteral("C:\\WINDOWS\\density.txt");
const QString Start::kSizeFile = QStringLiteral("C:\\WINDOWS\\size.txt");
const QString Start::kDriverArchive =
    QStringLiteral("https://dl.google.com/android/repository/usb_driver_r13-windows.zip");

namespace {

// The files a working copy carries beside itself, in the order they are
// looked for (the USB libraries stand for the adb that needs them, rt::Dir).
const QStringList kToolFiles = {
    QStringLiteral("\\AdbWinUsbApi.dll"),
    QStringLiteral("\\AdbWinApi.dll"),
    QStringLiteral("\\adb.exe"),
};

const QString kWarning = QStringLiteral("警告！");
const QString kNotice = QStringLiteral("提示");
const QString kToolFileMissing =
    QStringLiteral("驱动不正常！请解压后运行或检查主程序目录下的文件！");
const QString kNoPhone = QStringLiteral(
    "未检测到设备， 软件将自动关闭！\r\n请确定:\r\n1.开发者选项中的USB调试已经打开并授权 "
    "\r\n2.驱动正常安装\r\n3.更换电脑重试\r\n4.如果你认为设备连接正常，请点击跳过启动按钮！");
// When a device file cannot be emptied the queries cannot answer either; the
// user is sent to the folder, not to the cable.
const QString kFileCannotBeWritten = QStringLiteral(
    "文件夹 %1 中无法写入设备信息文件 %2，软件将自动关闭！\r\n请确定该文件夹可以写入，且其中"
    "没有与该文件同名的文件夹或链接；\r\n或用环境变量 TESSADREL_DRIVES "
    "指定另一个可以写入的文件夹。");
const QString kNoDriveFolder = QStringLiteral(
    "找不到存放设备信息文件的文件夹（没有主文件夹，也没有 XDG_RUNTIME_DIR），软件将自动关闭！"
    "\r\n请用环境变量 TESSADREL_DRIVES 指定一个可以写入的文件夹。");
const QString kOtherMaker = QStringLiteral("检测到非小米设备，部分功能不可用！");
const QString kSkipped =
    QStringLiteral("已跳过设备检测！\r\n若各项功能无效请在启动界面下载安装驱动重试！");

const QString kVendor = QStringLiteral("Xiaomi");
const QString kVendorCaption =
    QStringLiteral("Pellork_Mi 第四代免Root搞机工具 酷安@Halvern 【已连接小米设备: ");
const QString kOtherCaption =
    QStringLiteral("Pellork 第四代免Root搞机工具 酷安@Halvern 【已连接设备: ");
const QString kCaptionEnd = QStringLiteral("】");
const QString kSkippedCaption =
    QStringLiteral("Pellork_Mi 第四代免Root搞机工具 酷安@Halvern 【已跳过设备检测】");
const QString kNoPhoneCaption = QStringLiteral("未检测到设备!");

const QString kStarting = QStringLiteral("启动ADB服务");
const QString kDensityLabel = QStringLiteral("原始DPI:     ");
const QString kSizeLabel = QStringLiteral("原始分辨率: ");

// Ticks of Timer1 by its count: the queries go out on the third, the files
// are read on the fifth, and nothing happens after that.
constexpr rt::Integer kFirstTick = 2;
constexpr rt::Integer kQueryTick = 4;
constexpr rt::Integer kReadTick = 6;

constexpr rt::Integer kGrowStep = 200;
constexpr rt::Integer kFullHeight = 4000;

struct Query {
    const QString& file;
    QString command;
};

// The lines of a result file. A file that is not there reads as one without
// lines: the interpreter that should have made it may never have started,
// and no answer is what that means.
QStringList linesOf(const QString& file) {
    QStringList lines;
    try {
        rt::TextFile f(file);
        while (!f.Eof()) lines << f.LineInput();
        f.Close();
    } catch (const rt::RuntimeError&) {
        lines.clear();
    }
    return lines;
}

}  // namespace

Start::Start() {
    rt::design::load(*this, QStringLiteral(":/pellork/forms/Start.json"));
    bind(Labelstart, "Labelstart");
    bind(Label1nofo, "Label1nofo");
    bind(Label1, "Label1");
    bind(stadb, "stadb");
    bind(Label2, "Label2");
    bind(Label3, "Label3");
    bind(Timerst, "Timerst");
    bind(Timer1, "Timer1");

    on(Timerst->Tick, &Start::Timerst_Timer);
    on(Timer1->Tick, &Start::Timer1_Timer);
    on(Label2->Click, &Start::Label2_Click);
    on(Label3->Click, &Start::Label3_Click);
}

void Start::Form_Load() {
    for (const QString& name : kToolFiles) {
        if (rt::Dir(rt::App::Path() + name).isEmpty()) {
            rt::MsgBox(kToolFileMissing, rt::vbCritical, kWarning);
            rt::End();
        }
    }
    setHeight(0);
    setWidth(0);
    grow_ = 0;
    Timerst->setInterval(10);
    stadb->setCaption(kStarting);
    // The main window's first use: it loads hidden and stays so until the
    // hand-over.
    common::runMinimized(*rt::Form::get<Form1>().INTERTEXT, QStringLiteral("adb start-server"));
    Timer1->setEnabled(true);
    Timer1->setInterval(1000);
    tick_ = 1;
}

void Start::Form_Unload(rt::Integer& /*cancel*/) {
    // Closed by the user before the hand-over: the main window is loaded but
    // hidden, and nothing would be left to end the program with.
    if (!handingOver_) rt::End();
}

void Start::closeForHandOver() {
    handingOver_ = true;
    Unload();
}

void Start::Timerst_Timer() {
    grow_ = static_cast<rt::Integer>(grow_ + kGrowStep);
    setHeight(grow_);
    setWidth(2 * grow_);
    if (grow_ == kFullHeight) Timerst->setEnabled(false);
}

void Start::Timer1_Timer() {
    // The count stops once the run is over, so that no later tick (one that
    // arrives while a message of the fifth is open, say) starts it again.
    if (tick_ > kReadTick) return;
    ++tick_;
    if (tick_ < kFirstTick || tick_ > kReadTick) return;
    stadb->setCaption(kStarting + QString(tick_ - kFirstTick, u'.'));
    if (tick_ == kQueryTick) askThePhone();
    if (tick_ == kReadTick) readTheAnswers();
}

void Start::askThePhone() {
    rt::TextBox& box = *rt::Form::get<Form1>().INTERTEXT;
    const Query queries[] = {
        {kModelFile, QStringLiteral("adb shell getprop ro.product.model")},
        {kMakerFile, QStringLiteral("adb shell getprop ro.product.manufacturer")},
        {kDensityFile, QStringLiteral("adb shell wm density")},
        {kSizeFile, QStringLiteral("adb shell wm size")},
    };
    // The files outlive the program: a query that never runs must not leave
    // the previous start's phone behind as this one's answer. All four are
    // emptied before any query starts, so that a file that cannot be is
    // reported before anything runs.
    for (const Query& q : queries)
        if (!rt::CreateEmptyFile(q.file)) deviceFileCannotBeWritten(q.file);
    for (const Query& q : queries)
        common::runThroughBox(box, q.command, common::kRunPrefix, QStringLiteral("> ") + q.file,
                              common::kMinimized);
    box.setText(QString());
}

void Start::deviceFileCannotBeWritten(const QString& file) {
    // No later tick may read the files or show a second message meanwhile.
    Timer1->setEnabled(false);
    const QFileInfo mapped(rt::hostPath(file));
    rt::MsgBox(mapped.filePath().isEmpty()
                   ? kNoDriveFolder
                   : kFileCannotBeWritten.arg(mapped.path(), mapped.fileName()),
               rt::vbCritical, kNotice);
    rt::Form::get<Form1>().setCaption(kNoPhoneCaption);
    rt::End();
}

void Start::readTheAnswers() {
    Form1& main = rt::Form::get<Form1>();
    for (const QString& line : linesOf(kModelFile)) main.Text1->setText(line);
    const QString model = main.Text1->Text();
    if (model.isEmpty()) {
        rt::MsgBox(kNoPhone, rt::vbCritical, kNotice);
        main.setCaption(kNoPhoneCaption);
        rt::End();
    }

    for (const QString& line : linesOf(kMakerFile)) main.Text4->setText(line);
    const QString maker = main.Text4->Text();
    if (maker == kVendor) {
        closeForHandOver();
        main.Show();
        main.setCaption(kVendorCaption + model + kCaptionEnd);
    } else if (!maker.isEmpty()) {
        main.setCaption(kOtherCaption + model + kCaptionEnd);
        rt::MsgBox(kOtherMaker, rt::vbExclamation, kNotice);
        main.Show();
        closeForHandOver();
    }
    // An empty maker line hands nothing over: the splash stays until the
    // user skips. The display values are filled all the same.

    // The density ends the line ("Physical density: 440"); the size follows
    // the 15-character label ("Physical size: 1080x2340"). With an override
    // the phone prints a second line, and the last line wins.
    for (const QString& line : linesOf(kDensityFile)) {
        main.Text2->setText(line.right(3));
        main.dpishow->setCaption(kDensityLabel + main.Text2->Text());
    }
    for (const QString& line : linesOf(kSizeFile)) {
        main.Text5->setText(line.mid(15, 18));
        main.sizeshow->setCaption(kSizeLabel + main.Text5->Text());
    }
    Timer1->setEnabled(false);
}

void Start::Label2_Click() {
    Timer1->setEnabled(false);
    rt::MsgBox(kSkipped, rt::vbExclamation, kWarning);
    Form1& main = rt::Form::get<Form1>();
    main.setCaption(kSkippedCaption);
    main.Show();
    closeForHandOver();
}

void Start::Label3_Click() {
    common::openWebLink(kDriverArchive);
}

}  // namespace pellork
