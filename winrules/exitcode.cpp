#include "winrules/exitcode.h"

#include <sys/wait.h>

#include <cerrno>

namespace winrules {

int errorlevelOf(int waitStatus) {
    if (WIFEXITED(waitStatus)) return WEXITSTATUS(waitStatus);
    if (WIFSIGNALED(waitStatus)) return 128 + WTERMSIG(waitStatus);
    return 1;
}

int waitFor(pid_t pid) {
    int status = 0;
    while (waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) return 1;
    }
    return errorlevelOf(status);
}

int processExitCode(int errorlevel) {
    if (errorlevel >= 0 && errorlevel <= 255) return errorlevel;
    int low = errorlevel & 0xFF;
    return low != 0 ? low : 255;
}

}  // namespace winrules
