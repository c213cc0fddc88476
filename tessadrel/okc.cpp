#include "okc.h"

#include "common/commandrunner.h"
#include "common/typedinput.h"
#include "controls/nshape.h"
#include "controls/optionbutton.h"
#include "form1.h"
#include "links.h"
#include "runtime/design.h"
#include "runtime/services.h"

namespace tessadrel {

namespace {

const QString kFlash = QStringLiteral("fastboot flash ");
const QString kBootImage = QStringLiteral("fastboot boot ");
// The flash gets this head start before the phone is told to boot the
// image; nothing waits for the flash itself to end.
constexpr int kBootDelayMs = 4500;
const QString kPathCannotBeCarried = QStringLiteral("文件路径含有双引号、百分号或换行，无法刷入！");
const QString kNameCannotBeCarried = QStringLiteral("分区名含有双引号，无法刷入！");
const QString kFileNotHere =
    QStringLiteral("该文件位于尚未挂载的网络位置，无法刷入！请先将它复制到本机，再拖入此框。");

void runOnMain(const QString& command) {
    common::runHidden(Form1::commandBox(), command);
}

void refuse(const QString& text) {
    rt::MsgBox(text, rt::vbOKOnly | rt::vbExclamation, QStringLiteral("提示"));
}

}  // namespace

OKC::OKC() {
    rt::design::load(*this, QStringLiteral(":/tessadrel/forms/OKC.json"));
    bind(recc, "recc");
    bind(recf, "recf");
    bind(sysf, "sysf");
    bind(perf, "perf");
    bind(botf, "botf");
    bind(zdyf, "zdyf");
    bind(Textzdy, "Textzdy");
    bind(Labelappr, "Labelappr");

    on("REC", &controls::N_Shape::Click, &OKC::REC_Click);
    on("EDL", &controls::N_Shape::Click, &OKC::EDL_Click);
    on("FB", &controls::N_Shape::Click, &OKC::FB_Click);
    on("DOWNLOAD", &controls::N_Shape::Click, &OKC::DOWNLOAD_Click);
    on("N_Shaperebfb", &controls::N_Shape::Click, &OKC::N_Shaperebfb_Click);
    on("N_Shapetefb1", &controls::N_Shape::Click, &OKC::N_Shapetefb1_Click);
    on("SHIZUKU", &controls::N_Shape::Click, &OKC::SHIZUKU_Click);
    on("ACTHY", &controls::N_Shape::Click, &OKC::ACTHY_Click);
    on("N_Shape1", &controls::N_Shape::Click, &OKC::N_Shape1_Click);
    on(recf->Click, &OKC::recf_Click);
    on(sysf->Click, &OKC::sysf_Click);
    on(perf->Click, &OKC::perf_Click);
    on(botf->Click, &OKC::botf_Click);
    on(zdyf->Click, &OKC::zdyf_Click);
    on(recc->OLEDragDrop, &OKC::recc_OLEDragDrop);
}

void OKC::REC_Click() {
    runOnMain(QStringLiteral("adb reboot recovery"));
}

void OKC::EDL_Click() {
    runOnMain(QStringLiteral("adb reboot edl"));
}

void OKC::FB_Click() {
    runOnMain(QStringLiteral("adb reboot bootloader"));
}

void OKC::DOWNLOAD_Click() {
    runOnMain(QStringLiteral("adb reboot download"));
}

void OKC::N_Shaperebfb_Click() {
    runOnMain(QStringLiteral("fastboot reboot"));
}

// The second blank after "/k" is harmless: the interpreter skips it.
void OKC::N_Shapetefb1_Click() {
    common::runThroughBox(Form1::commandBox(), QStringLiteral("fastboot devices"),
                          QStringLiteral("cmd /k  "), common::kDevicesTail, common::kNormal);
}

void OKC::SHIZUKU_Click() {
    common::runInConsole(
        Form1::commandBox(),
        QStringLiteral(
            "adb shell sh /sdcard/Android/data/moe.shizuku.privileged.api/files/start.sh"));
}

void OKC::ACTHY_Click() {
    common::runInConsole(
        Form1::commandBox(),
        QStringLiteral("adb -d shell sh /data/data/me.piebridge.brevent/brevent.sh"));
}

void OKC::N_Shape1_Click() {
    common::openWebLink(links::kRecoveryDevices);
}

// The box for a custom partition shows only while that choice stands.
void OKC::recf_Click() {
    if (recf->Value()) Textzdy->setVisible(false);
}
void OKC::sysf_Click() {
    if (sysf->Value()) Textzdy->setVisible(false);
}
void OKC::perf_Click() {
    if (perf->Value()) Textzdy->setVisible(false);
}
void OKC::botf_Click() {
    if (botf->Value()) Textzdy->setVisible(false);
}
void OKC::zdyf_Click() {
    if (zdyf->Value()) Textzdy->setVisible(true);
}

// Only a drop that brings files flashes, and then only the first file: any
// other drop would flash the previous image again, or the label's design
// text, onto whatever partition is chosen now. The path goes between quotes,
// so that a blank, "&" or "|" in a name cannot split it or start a command
// in the middle of a flash.
void OKC::recc_OLEDragDrop(rt::DataObject& data, rt::Long&, rt::Integer&, rt::Integer&, rt::Single&,
                           rt::Single&) {
    if (!data.GetFormat(rt::DataObject::vbCFFiles)) return;
    // A file on a share the desktop has not mounted has no path fastboot
    // could open.
    if (!data.FileIsHere(1)) {
        refuse(kFileNotHere);
        return;
    }
    const QString path = data.Files(1);
    const auto quoted = common::quotedPath(path);
    if (!quoted) {
        refuse(kPathCannotBeCarried);
        return;
    }
    // A quote in the partition name would pair with the path's own quotes.
    if (zdyf->Value() && Textzdy->Text().contains(u'"')) {
        refuse(kNameCannotBeCarried);
        return;
    }
    Labelappr->setCaption(path);
    flash(*quoted);
}

void OKC::flash(const QString& quotedPath) {
    rt::TextBox& box = Form1::commandBox();
    if (recf->Value()) {
        // An image whose flash never started (no console could be opened)
        // is not booted either: the phone would run an image it does not
        // have, which looks like success.
        if (!common::runInConsole(box, kFlash + QStringLiteral("recovery ") + quotedPath,
                                  common::kRecoveryTail))
            return;
        // The window does not respond meanwhile.
        rt::Sleep(kBootDelayMs);
        common::runHidden(box, kBootImage + quotedPath);
    } else if (sysf->Value()) {
        common::runInConsole(box, kFlash + QStringLiteral("system ") + quotedPath,
                             common::kFlashTail);
    } else if (perf->Value()) {
        common::runInConsole(box, kFlash + QStringLiteral("persist ") + quotedPath,
                             common::kFlashTail);
    } else if (botf->Value()) {
        common::runInConsole(box, kFlash + QStringLiteral("boot ") + quotedPath,
                             common::kFlashTail);
    } else if (zdyf->Value()) {
        // Users add fastboot options to the name on purpose, so its blanks
        // stay; the interpreter's operators reach fastboot as text.
        common::runInConsole(box, kFlash + common::typedText(Textzdy->Text()) + u' ' + quotedPath,
                             common::kFlashTail);
    }
}

}  // namespace tessadrel
