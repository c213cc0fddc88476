#pragma once

// How the programs' Shell starts a command line: through the command
// interpreter stand-in, either hidden or inside a terminal window.

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <optional>

namespace rt::shellstart {

enum class Failure { None, NoTerminal, NoProgram };

struct Plan {
    QString program;
    QStringList arguments;
    QProcessEnvironment environment;
    bool discardOutput = false;  // hidden runs: output goes to /dev/null
};

// `line` is the whole command line as the program built it, e.g.
// "cmd /k adb devices && ...". Its first word is "cmd" (or "cmd.exe"): the
// stand-in beside the programs in `appDir`, else on PATH, which receives the
// rest of the line as one argument, unchanged. The programs start nothing
// else; a line with any other first word fails with NoProgram.
//
// `style` follows the window show codes: 0 hidden, with no terminal; 2, 6
// and 7 a minimised (iconified) terminal, or hidden when there is no
// terminal; anything else a normal terminal.
// The terminal is $TERMINAL (a program, possibly with options of its own,
// that accepts "-e PROGRAM ARGS..."), else xterm from PATH. The environment
// gets a UTF-8 locale when it has none.
std::optional<Plan> plan(const QString& line, int style, const QString& appDir,
                         const QProcessEnvironment& env, Failure* why);

// Starts the plan detached and returns its process id, or 0. Never waits.
qint64 start(const Plan& plan);

// What the real host's Shell does: plans the line and starts it, returning
// the process id; when the line cannot start (no interpreter, no terminal
// for a console) the user is told why in a message box and 0 comes back.
// Never ends the program.
double run(const QString& line, int style, const QString& appDir, const QProcessEnvironment& env);

// The text for the message box shown when plan() fails.
QString failureMessage(Failure failure);

}  // namespace rt::shellstart
