#include "winrules/document.h"

#include <fcntl.h>
#include <unistd.h>

#include "winrules/exec.h"
#include "winrules/exitcode.h"
#include "winrules/lookup.h"

namespace winrules {

DocumentStart openDocument(const std::string& target) {
    std::string opener = findInPath("xdg-open");
    if (opener.empty()) return DocumentStart::NoOpener;
    const Exec program(opener, {opener, target});
    pid_t pid = fork();
    if (pid < 0) return DocumentStart::Failed;
    if (pid == 0) {
        setsid();
        pid_t grandchild = fork();
        if (grandchild == 0) {
            int nul = open("/dev/null", O_RDONLY);
            if (nul >= 0) dup2(nul, 0);
            if (nul > 2) close(nul);
            program.run();
        }
        _exit(grandchild < 0 ? 1 : 0);
    }
    return waitFor(pid) == 0 ? DocumentStart::Started : DocumentStart::Failed;
}

}  // namespace winrules
