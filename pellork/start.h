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
//
// Its first write into Form1's INTERTEXT loads the main window hidden. On
// the third tick of its one-second timer it empties the four device files
// (C:\WINDOWS\serno.txt and the others, through the drive mapping;
// rt::CreateEmptyFile never follows a link and empties only a plain file) and
// starts the queries that fill them; a file that cannot be emptied ends the
// program as with no phone, with a message naming its folder instead, and no
// query starts. On the fifth it reads them back (a file that cannot be opened
// reads as one without lines), shows Form1 and unloads itself as a hand-over.
// Any other close of the splash ends the program, since the hidden main
// window would be left with no way to end it. The grow animation sets the
// size through rt::Form::setWidth/setHeight, which keep the twips given and
// show at least one pixel.
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
