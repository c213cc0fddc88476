#pragma once
#include <QString>

#include "runtime/form.h"
#include "runtime/textbox.h"

namespace pellork {

// The program's name and version, and links: rows that open a page of the
// app market on the phone through the window's own command box (after which
// the user is told to look at the phone), and the chat group's page in this
// computer's browser.
//
// Market rows run minimized through Text1 (common::openMarketPage); no row
// touches the main window's box. Every address is a named constant in links.h.
class About : public rt::Form {
    Q_OBJECT
public:
    About();

    // The window's own command box: the app-market rows never touch the main
    // window's.
    rt::TextBox* Text1;

private:
    void blockmi_Click();
    void Label10_Click();
    void Label5_Click();
    void Label7_Click();
    void Label8_Click();
    void Label9_Click();
    void N_Shape1_Click();

    void openOnPhone(const QString& page);
};

}  // namespace pellork
