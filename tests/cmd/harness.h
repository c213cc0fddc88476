#pragma once

// Runs the built interpreter in a throw-away folder tree with fake tools on
// PATH, with pipes or a pseudo-terminal for its standard handles.

#include <string>
#include <string_view>
#include <vector>

namespace cmdtest {

struct Outcome {
    std::string out;
    std::string err;
    int code = -1;
    bool timedOut = false;
    int pid = -1;  // the interpreter's process
};

class Sandbox {
public:
    Sandbox();
    ~Sandbox();
    Sandbox(const Sandbox&) = delete;
    Sandbox& operator=(const Sandbox&) = delete;

    std::string root;    // everything lives below
    std::string bin;     // first on PATH
    std::string work;    // the interpreter's current folder
    std::string drives;  // TESSADREL_DRIVES
    // NAME=value entries added to the interpreter's environment.
    std::vector<std::string> variables;

    // A tool that logs its arguments, prints `out` and exits with `code`.
    void fakeTool(const std::string& name, const std::string& out, int code = 0) const;
    // One entry per run of the tool, each its arguments.
    std::vector<std::vector<std::string>> calls(const std::string& name) const;

    void write(const std::string& path, const std::string& content) const;  // below work
    bool exists(const std::string& path) const;
    std::string read(const std::string& path) const;

    std::vector<std::string> environment() const;

    Outcome run(const std::vector<std::string>& args, const std::string& input = {},
                int timeoutMs = 10000) const;
    // On a pseudo-terminal: once the output contains `trigger`, `keys` are typed.
    Outcome runOnTerminal(const std::vector<std::string>& args, std::string_view trigger = {},
                          const std::string& keys = {}, int timeoutMs = 10000) const;
};

std::string readFile(const std::string& path);
void writeFile(const std::string& path, const std::string& content, bool executable = false);

// A named pipe read without blocking the test forever: a process started
// detached writes into it, and the reader returns what it wrote once it closes.
class Fifo {
public:
    explicit Fifo(std::string path);
    ~Fifo();
    const std::string& path() const { return path_; }
    std::string readAll(int timeoutMs = 10000);

private:
    std::string path_;
    int fd_ = -1;
};

}  // namespace cmdtest
