#pragma once

// Where a command name leads: the current folder first, then PATH, and a
// name written with ".exe" also finds the program without it.

#include <string>
#include <string_view>
#include <vector>

namespace winrules {

// The folders of a PATH value, in order, empty entries left out.
std::vector<std::string> pathFolders(std::string_view path);

// A regular file that this user may run.
bool isProgramFile(const std::string& path);

// "<folder>/<program>" for the first folder of `path` (a PATH value) that
// holds `program` as a program file; "" for none.
std::string findInPath(std::string_view program, std::string_view path);
// The same along this process's own PATH.
std::string findInPath(std::string_view program);

// "adb.exe" (in any case) -> "adb"; every other name as it is.
std::string_view withoutExe(std::string_view name);

struct Resolution {
    enum class Kind { Program, Document, NotFound, NoFolder };
    Kind kind = Kind::NotFound;
    std::string path;
};

// A command name, drive paths mapped, looked up in the current folder, then
// along $PATH; "x.exe" also finds "x". A file that is not executable counts
// as a document when its name has an extension, so that a data file called
// "adb" in the current folder does not hide the real adb.
Resolution resolveCommand(const std::string& name);

}  // namespace winrules
