#pragma once

// A process becoming a program, as a freshly started program expects to
// find itself.

#include <string>
#include <vector>

namespace winrules {

// A program made ready to take over the calling process. All of it is built
// when it is made, so that run() makes only async-signal-safe calls: in the
// child of a fork in a process with threads (a program with Qt) nothing else
// is sound.
class Exec {
public:
    // `args` begins with the name the program sees as its own.
    Exec(std::string path, std::vector<std::string> args);
    Exec(const Exec&) = delete;
    Exec& operator=(const Exec&) = delete;

    // Default signal handling and no blocked signals, then the program; a
    // script without a "#!" line runs through /bin/sh, as execvp would run
    // it. When it cannot start, the reason goes to standard error and the
    // process ends with 127 (no such file) or 126.
    [[noreturn]] void run() const;

private:
    std::string path_;
    std::vector<std::string> args_;
    std::vector<char*> argv_;
    std::vector<char*> shellArgv_;  // "/bin/sh", the path, the arguments
    std::string failure_;           // " (name)\n", after the reason
};

}  // namespace winrules
