#pragma once
#include "runtime/form.h"
#include "runtime/frame.h"
#include "runtime/label.h"
#include "runtime/textbox.h"

namespace tessadrel {

// The help panel: three pages of fixed text, one shown at a time beside the
// column of tabs that chooses it, and buttons that open set-up pages and the
// older edition in the browser. It sends nothing to the phone.
//
// Each tab sets all three visibilities and moves its page to the one spot;
// every load starts on the introduction.
class Help : public rt::Form {
    Q_OBJECT
public:
    Help();

    rt::Label* INTRO1;
    rt::Label* INTRO2;
    rt::Label* INTRO3;
    rt::Frame* INTRO;
    rt::Frame* USBQA;
    rt::Frame* COMMONQA;
    rt::TextBox* Text1;
    rt::TextBox* Text2;

protected:
    void Form_Load() override;

private:
    void INTRO1_Click();
    void INTRO2_Click();
    void INTRO3_Click();
    void DOWNOLD1_Click();
    void DOWNLOAD2_Click();
    void V3_Click();

    // Only `page` is shown, at the spot beside the tabs.
    void showPage(rt::Frame* page);
};

}  // namespace tessadrel
