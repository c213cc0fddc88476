#pragma once

// Output goes straight to the handles, never through a stdio buffer: the
// interpreter forks for pipes and redirects its own handles around builtins,
// and buffered text would surface in the wrong place or twice.

#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <string_view>

namespace cmd {

inline bool writeAll(int fd, std::string_view text) {
    while (!text.empty()) {
        ssize_t n = ::write(fd, text.data(), text.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        text.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

// The errorlevel of a builtin that stopped because its output could not be
// written (errno as writeAll left it): a reader that has gone away reads as it
// does for a program that the closed pipe ended (the interpreter ignores
// SIGPIPE, so the builtin has to stop by itself); any other failure is
// `otherwise`.
inline int writeFailure(int otherwise) {
    return errno == EPIPE ? 128 + SIGPIPE : otherwise;
}

}  // namespace cmd
