// The command interpreter stand-in: "cmd /c LINE", "cmd /k LINE" or a bare
// prompt. Kept free of Qt so that it starts at once.

#include <string>

#include "cmd/interpreter.h"
#include "cmd/syntax.h"
#include "winrules/exitcode.h"

int main(int argc, char** argv) {
    cmd::installSignalHandlers();
    std::string tail;
    for (int i = 1; i < argc; ++i) {
        if (i > 1) tail += ' ';
        tail += argv[i];
    }
    cmd::Invocation invocation = cmd::parseInvocation(tail);
    cmd::Interpreter interpreter;
    interpreter.setEcho(!invocation.echoOff);

    bool blank = invocation.line.find_first_not_of(" \t") == std::string::npos;
    if (invocation.mode == cmd::Invocation::Mode::RunAndExit) {
        if (!blank) interpreter.runLine(invocation.line, true);
        return winrules::processExitCode(interpreter.exitCode());
    }
    bool ran = false;
    if (invocation.mode == cmd::Invocation::Mode::RunAndStay && !blank) {
        interpreter.runLine(invocation.line);
        ran = true;
        if (interpreter.exitRequested()) return winrules::processExitCode(interpreter.exitCode());
    }
    return winrules::processExitCode(interpreter.interactive(ran));
}
