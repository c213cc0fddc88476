#pragma once
#include "runtime/form.h"
#include "runtime/frame.h"
#include "runtime/label.h"
#include "runtime/textbox.h"
#include "runtime/types.h"

namespace controls {
class OptionButton;
}

namespace tessadrel {

// Re-flashing: reboot the phone into its special modes over adb, check and
// reboot a phone in fastboot mode, flash the image file dropped on the left
// frame onto the partition chosen on the right, and start the activation
// scripts of two apps. Everything runs through the main window's command box.
//
// Only a drop with files flashes, and only the first file, as
// "fastboot flash <partition> "<path>"" through common::quotedPath; a custom
// partition name goes through common::typedText (its blanks kept for
// fastboot's options) and is refused when it holds a double quote, as a path
// that cannot be carried and a file on an unmounted share are. A recovery
// image is booted 4500 ms after its flash console opens (rt::Sleep, which
// blocks the window), and not at all when that console could not be opened.
class OKC : public rt::Form {
    Q_OBJECT
public:
    OKC();

    rt::Frame* recc;
    controls::OptionButton* recf;
    controls::OptionButton* sysf;
    controls::OptionButton* perf;
    controls::OptionButton* botf;
    controls::OptionButton* zdyf;
    rt::TextBox* Textzdy;
    // Never seen by the user: the path of the last image flashed.
    rt::Label* Labelappr;

private:
    void REC_Click();
    void EDL_Click();
    void FB_Click();
    void DOWNLOAD_Click();
    void N_Shaperebfb_Click();
    void N_Shapetefb1_Click();
    void SHIZUKU_Click();
    void ACTHY_Click();
    void N_Shape1_Click();
    void recf_Click();
    void sysf_Click();
    void perf_Click();
    void botf_Click();
    void zdyf_Click();
    void recc_OLEDragDrop(rt::DataObject& data, rt::Long& effect, rt::Integer& button,
                          rt::Integer& shift, rt::Single& x, rt::Single& y);

    // Flashes the quoted path onto the chosen partition.
    void flash(const QString& quotedPath);
};

}  // namespace tessadrel
