#include "harness.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#ifndef CMD_BINARY
#error "CMD_BINARY must name the built interpreter"
#endif

extern char** environ;

namespace cmdtest {
namespace {

using Clock = std::chrono::steady_clock;

int remainingMs(Clock::time_point deadline) {
    auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left > 0 ? static_cast<int>(left) : 0;
}

std::string shellQuote(const std::string& s) {
    std::string out = "'";
    for (char c : s) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

struct Exec {
    std::vector<std::string> argv;
    std::vector<std::string> env;
};

[[noreturn]] void execInterpreter(const Exec& e, const std::string& folder) {
    std::vector<char*> argv, envp;
    for (const auto& a : e.argv) argv.push_back(const_cast<char*>(a.c_str()));
    for (const auto& v : e.env) envp.push_back(const_cast<char*>(v.c_str()));
    argv.push_back(nullptr);
    envp.push_back(nullptr);
    if (chdir(folder.c_str()) != 0) _exit(120);
    execve(argv[0], argv.data(), envp.data());
    _exit(121);
}

void finish(pid_t pid, Outcome& o, bool kill) {
    if (kill) ::kill(-pid, SIGKILL);
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    o.code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

}  // namespace

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

void writeFile(const std::string& path, const std::string& content, bool executable) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << content;
    if (executable) chmod(path.c_str(), 0755);
}

Sandbox::Sandbox() {
    std::string pattern = (std::filesystem::temp_directory_path() / "cmdtest-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp");
    char resolved[PATH_MAX];
    root = realpath(pattern.c_str(), resolved) ? resolved : pattern;
    bin = root + "/bin";
    work = root + "/work";
    drives = root + "/drives";
    for (const auto& d : {bin, work, drives, root + "/logs"})
        std::filesystem::create_directories(d);
}

Sandbox::~Sandbox() {
    std::error_code ignored;
    std::filesystem::remove_all(root, ignored);
}

void Sandbox::fakeTool(const std::string& name, const std::string& out, int code) const {
    writeFile(bin + "/" + name + ".out", out);
    writeFile(bin + "/" + name,
              "#!/bin/sh\n"
              "{ echo '--call--'; for a in \"$@\"; do printf '%s\\n' \"$a\"; done; } >> " +
                  shellQuote(root + "/logs/" + name + ".log") + "\ncat " +
                  shellQuote(bin + "/" + name + ".out") + "\nexit " + std::to_string(code) + "\n",
              true);
}

std::vector<std::vector<std::string>> Sandbox::calls(const std::string& name) const {
    std::vector<std::vector<std::string>> result;
    std::istringstream log(readFile(root + "/logs/" + name + ".log"));
    for (std::string line; std::getline(log, line);) {
        if (line == "--call--")
            result.emplace_back();
        else if (!result.empty())
            result.back().push_back(line);
    }
    return result;
}

void Sandbox::write(const std::string& path, const std::string& content) const {
    writeFile(work + "/" + path, content);
}

bool Sandbox::exists(const std::string& path) const {
    return std::filesystem::exists(work + "/" + path);
}

std::string Sandbox::read(const std::string& path) const {
    return readFile(work + "/" + path);
}

std::vector<std::string> Sandbox::environment() const {
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) {
        std::string_view v(*e);
        if (v.starts_with("PATH=") || v.starts_with("TESSADREL_DRIVES=") || v.starts_with("PWD="))
            continue;
        env.emplace_back(v);
        // The interpreter keeps no library caches until exit, so the
        // sanitizer build checks it for leaks (the last setting wins).
        if (v.starts_with("ASAN_OPTIONS=")) env.back() += ":detect_leaks=1";
    }
    const char* path = std::getenv("PATH");
    env.push_back("PATH=" + bin + ":" + (path ? path : "/usr/bin:/bin"));
    env.push_back("TESSADREL_DRIVES=" + drives);
    env.push_back("CMD_TEST_VALUE=from the environment");
    env.insert(env.end(), variables.begin(), variables.end());
    return env;
}

Outcome Sandbox::run(const std::vector<std::string>& args, const std::string& input,
                     int timeoutMs) const {
    Exec e{{CMD_BINARY}, environment()};
    e.argv.insert(e.argv.end(), args.begin(), args.end());
    int in[2], out[2], err[2];
    if (pipe2(in, O_CLOEXEC) || pipe2(out, O_CLOEXEC) || pipe2(err, O_CLOEXEC))
        throw std::runtime_error("pipe");
    pid_t pid = fork();
    if (pid == 0) {
        setsid();  // no controlling terminal: nothing can reach the tester's console
        dup2(in[0], 0);
        dup2(out[1], 1);
        dup2(err[1], 2);
        execInterpreter(e, work);
    }
    close(in[0]);
    close(out[1]);
    close(err[1]);
    fcntl(in[1], F_SETFL, O_NONBLOCK);
    signal(SIGPIPE, SIG_IGN);

    Outcome o;
    o.pid = pid;
    auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    size_t written = 0;
    int inFd = in[1];
    if (input.empty()) {
        close(inFd);
        inFd = -1;
    }
    int outFd = out[0], errFd = err[0];
    while (outFd >= 0 || errFd >= 0) {
        pollfd fds[3] = {{outFd, POLLIN, 0}, {errFd, POLLIN, 0}, {inFd, POLLOUT, 0}};
        int ready = poll(fds, 3, remainingMs(deadline));
        if (ready == 0) {
            o.timedOut = true;
            break;
        }
        if (ready < 0) {
            if (errno == EINTR) continue;
            break;
        }
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || !(fds[i].revents & (POLLIN | POLLHUP | POLLERR))) continue;
            char buffer[4096];
            ssize_t n = ::read(fds[i].fd, buffer, sizeof buffer);
            if (n > 0) {
                (i == 0 ? o.out : o.err).append(buffer, static_cast<size_t>(n));
            } else if (n == 0 || errno != EINTR) {
                close(fds[i].fd);
                (i == 0 ? outFd : errFd) = -1;
            }
        }
        if (inFd >= 0 && (fds[2].revents & (POLLOUT | POLLERR | POLLHUP))) {
            ssize_t n = ::write(inFd, input.data() + written, input.size() - written);
            if (n > 0) written += static_cast<size_t>(n);
            if (n < 0 && errno != EAGAIN && errno != EINTR) written = input.size();
            if (written == input.size()) {
                close(inFd);
                inFd = -1;
            }
        }
    }
    for (int fd : {inFd, outFd, errFd})
        if (fd >= 0) close(fd);
    finish(pid, o, o.timedOut);
    return o;
}

Outcome Sandbox::runOnTerminal(const std::vector<std::string>& args, std::string_view trigger,
                               const std::string& keys, int timeoutMs) const {
    Exec e{{CMD_BINARY}, environment()};
    e.argv.insert(e.argv.end(), args.begin(), args.end());
    int master = -1, slave = -1;
    if (openpty(&master, &slave, nullptr, nullptr, nullptr) != 0)
        throw std::runtime_error("openpty");
    pid_t pid = fork();
    if (pid == 0) {
        close(master);
        setsid();
        ioctl(slave, TIOCSCTTY, 0);
        dup2(slave, 0);
        dup2(slave, 1);
        dup2(slave, 2);
        if (slave > 2) close(slave);
        execInterpreter(e, work);
    }
    close(slave);
    Outcome o;
    bool typed = keys.empty();
    auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        pollfd fd{master, POLLIN, 0};
        int ready = poll(&fd, 1, remainingMs(deadline));
        if (ready == 0) {
            o.timedOut = true;
            break;
        }
        if (ready < 0 && errno == EINTR) continue;
        char buffer[4096];
        ssize_t n = ::read(master, buffer, sizeof buffer);
        if (n <= 0) break;  // EIO once the last holder of the terminal has gone
        o.out.append(buffer, static_cast<size_t>(n));
        if (!typed && o.out.find(trigger) != std::string::npos) {
            typed = ::write(master, keys.data(), keys.size()) == static_cast<ssize_t>(keys.size());
        }
    }
    close(master);
    finish(pid, o, o.timedOut);
    return o;
}

Fifo::Fifo(std::string path) : path_(std::move(path)) {
    if (mkfifo(path_.c_str(), 0600) != 0) throw std::runtime_error("mkfifo");
    // Non-blocking so that opening does not wait for the writer; poll() then
    // waits for it, and reports the hang-up only after a writer has been.
    fd_ = open(path_.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
}

Fifo::~Fifo() {
    if (fd_ >= 0) close(fd_);
    unlink(path_.c_str());
}

std::string Fifo::readAll(int timeoutMs) {
    std::string data;
    auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (fd_ >= 0) {
        pollfd fd{fd_, POLLIN, 0};
        int ready = poll(&fd, 1, remainingMs(deadline));
        if (ready == 0) break;
        if (ready < 0) {
            if (errno == EINTR) continue;
            break;
        }
        char buffer[4096];
        ssize_t n = ::read(fd_, buffer, sizeof buffer);
        if (n > 0) {
            data.append(buffer, static_cast<size_t>(n));
        } else if (n == 0) {
            break;
        } else if (errno != EAGAIN && errno != EINTR) {
            break;
        }
    }
    return data;
}

}  // namespace cmdtest
