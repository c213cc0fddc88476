#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "cmd/syntax.h"

namespace cmd {

class Interpreter {
public:
    Interpreter();

    // Expands, parses and runs one line; returns the resulting errorlevel.
    // `lastThing`: the interpreter ends after this line (cmd /c). A program
    // that ends the line then runs in the interpreter's place, in its
    // process, so that a hidden line costs one process start and its exit
    // status is the program's own; this call does not return then.
    int runLine(std::string_view line, bool lastThing = false);

    // The prompt loop of "cmd /k" and of a bare "cmd": reads lines from
    // standard input until EXIT or end of input.
    int interactive(bool afterCommand);

    bool exitRequested() const { return exitRequested_; }
    int exitCode() const { return exitRequested_ ? exitCode_ : errorlevel_; }
    void setEcho(bool on) { echo_ = on; }

    // Set from the SIGINT handler: stops what is left of the current line.
    static void interrupt();

private:
    int execute(const Node& node, bool mayReplaceProcess);
    int runPipeline(const Node& node);
    int runCommand(const Node& node, bool mayReplaceProcess);
    int runBuiltin(std::string_view name, std::string_view args);
    int runExternal(const CommandWord& word, bool mayReplaceProcess);
    bool stopping() const;

    int echo(std::string_view args);
    int color(std::string_view args);
    int title(std::string_view args);
    int pause();
    int exitCommand(std::string_view args);
    int cls();
    int changeFolder(std::string_view args);

    std::optional<std::string> variable(std::string_view name) const;
    std::string prompt() const;

    int errorlevel_ = 0;
    int exitCode_ = 0;
    bool exitRequested_ = false;
    bool echo_ = true;
};

// Signal set-up for the interpreter process: Ctrl+C interrupts the line
// instead of killing the interpreter, and a closed pipe fails a write
// instead of killing it.
void installSignalHandlers();

}  // namespace cmd
