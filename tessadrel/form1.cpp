#include "form1.h"

#include <QStringList>

#include "about.h"
#include "common/commandrunner.h"
#include "controls/nshape.h"
#include "donation.h"
#include "help.h"
#include "keysimu.h"
#include "navigation.h"
#include "okc.h"
#include "phonearea.h"
#include "runtime/design.h"
#include "runtime/services.h"
#include "software.h"
#include "status.h"
#include "touchsimu.h"

namespace tessadrel {

namespace {

// The files that a working copy of the program carries beside itself, in the
// order they are looked for. On this platform the two USB libraries stand for
// the adb that needs them (see rt::Dir).
const QStringList kToolFiles = {
    QStringLiteral("\\AdbWinUsbApi.dll"),
    QStringLiteral("\\AdbWinApi.dll"),
    QStringLiteral("\\adb.exe"),
    QStringLiteral("\\fastboot.exe"),
};

const QString kToolFileMissing =
    QStringLiteral("驱动不正常！请解压后运行或检查主程序目录下的文件！");
const QString kMainCaption = QStringLiteral("Morvane 第六代免ROOT搞机神器   酷安@Halvern");

// A lone double quote is an empty command to the interpreter: what stays is
// its prompt, in the program's current folder.
const QString kPromptLine = QStringLiteral("cmd /k \"");

const QString kScreencap = QStringLiteral("adb shell /system/bin/screencap -p /sdcard/screen.png");
const QString kPull = QStringLiteral("adb pull /sdcard/screen.png");
const QString kOpen = QStringLiteral("screen.png");
const QString kRemove = QStringLiteral("adb shell rm /sdcard/screen.png");

}  // namespace

Form1::Form1() {
    rt::design::load(*this, QStringLiteral(":/tessadrel/forms/Form1.json"));
    bind(INTERTEXT, "INTERTEXT");
    bind(Text8, "Text8");
    bind(Label22, "Label22");
    bind(INTERFACETimer, "INTERFACETimer");

    // Each tile with the label under it: the label only names the tile (it
    // does not act), and the picture carries that name for assistive tools.
    struct Tile {
        rt::Image** member;
        const char* image;
        const char* label;
    };
    const Tile tiles[] = {
        {&Image5der, "Image5der", "Label5"}, {&Image9, "Image9", "Label9"},
        {&Image10, "Image10", "Label10"},    {&Image21, "Image21", "Label21"},
        {&Image12, "Image12", "Label12"},    {&Image16, "Image16", "Label22"},
        {&Image1, "Image1", "Label1"},       {&Image17, "Image17", "Label17"},
        {&Image19, "Image19", "Label19"},    {&Image23, "Image23", "Label23"},
        {&Image24, "Image24", "Label24"},    {&Image25, "Image25", "Label25"},
    };
    for (const Tile& t : tiles) {
        bind(*t.member, t.image);
        if (auto* l = ctl<rt::Label>(QLatin1String(t.label)))
            (*t.member)->setAccessibleName(l->Caption());
    }

    on(Image1->Click, &Form1::Image1_Click);
    on(Image5der->Click, &Form1::Image5der_Click);
    on(Image9->Click, &Form1::Image9_Click);
    on(Image10->Click, &Form1::Image10_Click);
    on(Image12->Click, &Form1::Image12_Click);
    on(Image16->Click, &Form1::Image16_Click);
    on(Image17->Click, &Form1::Image17_Click);
    on(Image19->Click, &Form1::Image19_Click);
    on(Image21->Click, &Form1::Image21_Click);
    on(Image23->Click, &Form1::Image23_Click);
    on(Image24->Click, &Form1::Image24_Click);
    on(Image25->Click, &Form1::Image25_Click);
    on(INTERFACETimer->Tick, &Form1::INTERFACETimer_Timer);
    on("N_Shapeegg", &controls::N_Shape::Click, &Form1::N_Shapeegg_Click);
}

rt::TextBox& Form1::commandBox() {
    return *rt::Form::get<Form1>().INTERTEXT;
}

void Form1::Form_Load() {
    for (const QString& name : kToolFiles) {
        if (rt::Dir(rt::App::Path() + name).isEmpty()) {
            rt::MsgBox(kToolFileMissing, rt::vbOKOnly);
            rt::End();
        }
    }
    // Every start opens this console, phone or not: it is how the user sees
    // whether a device answers, and it brings up adb's server early.
    common::runInConsole(*Text8, QStringLiteral("adb devices"), common::kStartupTail);
    setCaption(kMainCaption);
    Show();
}

// Each tile shows its panel: one instance a panel, modeless, created and
// loaded at its first showing.
void Form1::Image5der_Click() {
    rt::Form::get<Navigation>().Show();
}
void Form1::Image10_Click() {
    rt::Form::get<PhoneArea>().Show();
}
void Form1::Image21_Click() {
    rt::Form::get<keysimu>().Show();
}
void Form1::Image17_Click() {
    rt::Form::get<Software>().Show();
}
void Form1::Image19_Click() {
    rt::Form::get<OKC>().Show();
}
void Form1::Image23_Click() {
    rt::Form::get<Help>().Show();
}
void Form1::Image24_Click() {
    rt::Form::get<DonatION>().Show();
}
void Form1::Image12_Click() {
    rt::Form::get<touchsimu>().Show();
}
void Form1::Image9_Click() {
    rt::Form::get<Status>().Show();
}
void Form1::Image25_Click() {
    rt::Form::get<About>().Show();
}

void Form1::Image1_Click() {
    common::startDirectly(kPromptLine, common::kNormal);
}

// The screenshot run: no command is waited for, so the steps are spaced by
// the one-second timer and each gets the time until the next tick.
void Form1::Image16_Click() {
    INTERFACETimer->setEnabled(true);
    INTERFACETimer->setInterval(1000);
    screenshotStep_ = 1;
    Label22->setCaption(QStringLiteral("正在截图..."));
    common::runHidden(*INTERTEXT, kScreencap);
}

void Form1::INTERFACETimer_Timer() {
    // A tick already queued when the window was closed belongs to a run that
    // ended with it.
    if (!loaded()) return;
    ++screenshotStep_;
    switch (screenshotStep_) {
        case 4:
            Label22->setCaption(QStringLiteral("推送截图..."));
            common::runHidden(*INTERTEXT, kPull);
            break;
        case 5:
            Label22->setCaption(QStringLiteral("打开截图..."));
            common::runHidden(*INTERTEXT, kOpen);
            common::runHidden(*INTERTEXT, kRemove);
            break;
        case 7:
            INTERFACETimer->setEnabled(false);
            Label22->setCaption(QStringLiteral("输出截图"));
            break;
        default:
            break;
    }
}

void Form1::N_Shapeegg_Click() {
    rt::MsgBox(QStringLiteral("嘤嘤嘤~"), rt::vbOKOnly, QStringLiteral("彩蛋"));
}

}  // namespace tessadrel
