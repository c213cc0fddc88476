#pragma once

// Output goes straight to the handles, never through a stdio buffer: the
// interpreter forks for pipes and redirects its own handles around builtins,
// and buffered text would surface in the wrong place or twice.

#include <unistd.h>

#include <cerrno>
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

}  // namespace cmd
