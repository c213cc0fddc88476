#pragma once
#include <QString>

#include "runtime/form.h"
#include "runtime/textbox.h"

namespace tessadrel {

// Version, credits and links: rows that open a web page on this computer,
// and rows that open a page of the app market on the phone through the
// window's own command box, after which the user is told to look at the
// phone.
//
// Web rows go through common::openWebLink, market rows through the hidden
// box Text1 (common::openMarketPage); no row touches the main window's box.
// Every address is a named constant in links.h.
class About : public rt::Form {
    Q_OBJECT
public:
    About();

    // The window's own command box: the app-market rows never touch the main
    // window's.
    rt::TextBox* Text1;

private:
    void N_Shape1_Click();
    void Label4_Click();
    void Label10_Click();
    void Label13_Click();
    void Label14_Click();
    void Label6_Click();
    void Label8_Click();
    void Label15_Click();
    void Label16_Click();
    void Label7_Click();
    void Label9_Click();
    void Label5_Click();

    void openOnPhone(const QString& page);
};

}  // namespace tessadrel
