#pragma once
#include "runtime/form.h"
#include "runtime/label.h"
#include "runtime/timer.h"
#include "runtime/types.h"

namespace pellork {

// The start-up splash: checks the tool files, starts the adb server, grows
// itself to full size, asks the phone for its model, maker, density and
// screen size through four result files, and hands over to the main window
// (or ends the program when no phone answered). The skip link hands over at
// once.
class Start : public rt::Form {
    Q_OBJECT
public:
    Start();

    rt::Label* Labelstart;
    rt::Label* Label1nofo;
    rt::Label* Label1;
    rt::Label* stadb;
    rt::Label* Label2;
    rt::Label* Label3;
    rt::Timer* Timerst;
    rt::Timer* Timer1;

    // Where the phone's answers land, and the address of the driver archive.
    static const QString kModelFile;
    static const QString kMakerFile;
    static const QString kDensityFile;
    static const QString kSizeFile;
    static const QString kDriverArchive;

protected:
    void Form_Load() override;
    void Form_Unload(rt::Integer& cancel) override;

private:
    void Timerst_Timer();
    void Timer1_Timer();
    void Label2_Click();
    void Label3_Click();

    // The four queries, each into its file (third tick).
    void askThePhone();
    // A device file that could not be emptied: the user is told which
    // folder, and the program ends as with no phone.
    [[noreturn]] void deviceFileCannotBeWritten(const QString& file);
    // The files read back into the main window, and the hand-over (fifth tick).
    void readTheAnswers();
    // Closes this window as part of handing over to the main window.
    void closeForHandOver();

    rt::Integer grow_ = 0;  // the window's height in twips
    rt::Integer tick_ = 0;  // Timer1's count, from 1 at load
    bool handingOver_ = false;
};

}  // namespace pellork
