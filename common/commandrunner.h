#pragma once
// How a handler starts a command line: through a command box (set its text,
// read it back, join prefix + text + tail, start with a window style), or
// directly; the consoles' banner tails; web links; app-market pages on the
// phone; and numbers typed into text boxes.
#include <QString>

#include "runtime/textbox.h"

namespace common {

inline const QString kRunPrefix = QStringLiteral("cmd /c ");
inline const QString kConsolePrefix = QStringLiteral("cmd /k ");

// Window styles of a started command.
inline constexpr int kHidden = 0;
inline constexpr int kNormal = 1;
inline constexpr int kMinimized = 2;

// Banner tails of the consoles, appended behind the command text as they
// stand (blanks count).
extern const QString kStartupTail;
extern const QString kInstallTail;
extern const QString kDevicesTail;
extern const QString kRecoveryTail;
extern const QString kFlashTail;

// The four steps through a command box. Returns whether the line started:
// false when its console could not be opened or its program not be started
// (the host has told the user), so that nothing that needs it runs.
bool runThroughBox(rt::TextBox& box, const QString& command, const QString& prefix,
                   const QString& tail, int style);

// "cmd /c " + the box's text, hidden.
bool runHidden(rt::TextBox& box, const QString& command);
// "cmd /k " + the box's text + tail, in a normal console window.
bool runInConsole(rt::TextBox& box, const QString& command, const QString& tail = {});
// prefix + the box's text, minimized.
bool runMinimized(rt::TextBox& box, const QString& command, const QString& prefix = kRunPrefix);
// A fixed line, not passed through a box.
void startDirectly(const QString& line, int style);

// The default browser opens the address ("wscript.shell" and its "run").
void openWebLink(const QString& address);

// The phone's app market opens a page: the command through the box, with
// the given style (hidden in the main program, minimized in the companion).
bool openMarketPage(rt::TextBox& box, const QString& pageAddress, int style = kHidden);

// The number that a text box holds, as the shortest decimal text.
QString numberFromBox(const rt::TextBox& box);
// The number that a text box holds, rounded to a whole number (a half to the
// even neighbour), for intervals, durations and pauses.
double wholeNumberFromBox(const rt::TextBox& box);

}  // namespace common
