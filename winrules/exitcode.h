#pragma once

// Folding of exit codes between the Windows errorlevel, which holds any
// 32-bit number, and a Linux exit status, which holds one byte.

#include <sys/types.h>

namespace winrules {

// The errorlevel of a child that has ended, from its wait status: its exit
// code, 128 plus the signal that ended it, else 1.
int errorlevelOf(int waitStatus);

// Waits for a child to end and gives its errorlevel; 1 when it cannot be
// waited for.
int waitFor(pid_t pid);

// The exit status a Linux parent can see: the low byte, except that a failing
// code whose low byte is 0 (256, 512, ...) must not read as success.
int processExitCode(int errorlevel);

}  // namespace winrules
