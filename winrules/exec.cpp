#include "winrules/exec.h"

#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace winrules {
namespace {

void writeAll(int fd, const char* text, size_t size) {
    while (size > 0) {
        ssize_t n = ::write(fd, text, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            return;
        }
        text += n;
        size -= static_cast<size_t>(n);
    }
}

}  // namespace

Exec::Exec(std::string path, std::vector<std::string> args)
    : path_(std::move(path)), args_(std::move(args)) {
    for (std::string& a : args_) argv_.push_back(a.data());
    argv_.push_back(nullptr);
    shellArgv_ = {const_cast<char*>("/bin/sh"), path_.data()};
    shellArgv_.insert(shellArgv_.end(), argv_.begin() + (argv_.size() > 1 ? 1 : 0), argv_.end());
    failure_ = " (" + (args_.empty() ? path_ : args_.front()) + ")\n";
}

void Exec::run() const {
    signal(SIGINT, SIG_DFL);
    signal(SIGPIPE, SIG_DFL);
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    execv(path_.c_str(), argv_.data());
    if (errno == ENOEXEC) execv("/bin/sh", shellArgv_.data());
    const int error = errno;
    // The text of the C locale, as strerror gives it in the interpreter,
    // which never sets a locale.
    const char* reason = error == EACCES ? "拒绝访问。" : strerrordesc_np(error);
    if (!reason) reason = "Unknown error";
    writeAll(2, reason, std::strlen(reason));
    writeAll(2, failure_.data(), failure_.size());
    _exit(error == ENOENT ? 127 : 126);
}

}  // namespace winrules
