#include "winrules/drivepath.h"

#include <pwd.h>
#include <unistd.h>

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <vector>

namespace winrules {
namespace {

std::string envValue(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

// Lexical clean-up of an absolute folder name: "//a/./b/../c/" -> "/a/c".
std::string normaliseAbsolute(std::string_view path) {
    std::vector<std::string_view> parts;
    size_t pos = 0;
    while (pos <= path.size()) {
        size_t end = path.find('/', pos);
        if (end == std::string_view::npos) end = path.size();
        std::string_view part = path.substr(pos, end - pos);
        if (part == "..") {
            if (!parts.empty()) parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        pos = end + 1;
    }
    std::string out;
    for (std::string_view part : parts) {
        out += '/';
        out += part;
    }
    return out.empty() ? std::string("/") : out;
}

// Only absolute folders other than "/" itself may hold the drives: a relative
// root would move with the current folder, and "/" would put "C:\WINDOWS" at
// the machine's real "/c/WINDOWS".
bool usableRoot(const std::string& root) {
    return root.size() > 1 && root.front() == '/';
}

// $HOME, else the account's home folder when it exists: service accounts
// name one that does not ("/nonexistent").
std::string homeFolder(std::string_view accountHome) {
    std::string home = envValue("HOME");
    if (!home.empty() && home.front() == '/') return home;
    std::error_code error;
    if (!accountHome.empty() && accountHome.front() == '/' &&
        std::filesystem::is_directory(std::filesystem::path(accountHome), error))
        return std::string(accountHome);
    return {};
}

std::string accountHomeFolder() {
    const passwd* entry = getpwuid(getuid());
    return entry && entry->pw_dir ? std::string(entry->pw_dir) : std::string();
}

// "<folder>/tessadrel/drives" for an absolute folder, else "". The XDG rules
// say a relative XDG_DATA_HOME or XDG_RUNTIME_DIR is to be ignored.
std::string drivesBelow(const std::string& folder) {
    if (folder.empty() || folder.front() != '/') return {};
    std::string root = normaliseAbsolute(folder + "/tessadrel/drives");
    return usableRoot(root) ? root : std::string();
}

}  // namespace

std::string drivesRoot() {
    return drivesRoot(accountHomeFolder());
}

std::string drivesRoot(std::string_view accountHome) {
    std::string custom = envValue("TESSADREL_DRIVES");
    if (!custom.empty() && custom.front() == '/') {
        custom = normaliseAbsolute(custom);
        if (usableRoot(custom)) return custom;
    }
    std::string data = envValue("XDG_DATA_HOME");
    if (data.empty() || data.front() != '/') {
        std::string home = homeFolder(accountHome);
        data = home.empty() ? std::string() : home + "/.local/share";
    }
    if (std::string root = drivesBelow(data); !root.empty()) return root;
    // Never a shared folder such as /tmp, where another user could put a
    // link in a device file's place and have it truncate a file of ours:
    // the runtime folder is this user's alone.
    return drivesBelow(envValue("XDG_RUNTIME_DIR"));
}

bool hasDriveLetter(std::string_view path) {
    return path.size() >= 2 && path[1] == ':' &&
           std::isalpha(static_cast<unsigned char>(path[0])) &&
           static_cast<unsigned char>(path[0]) < 0x80;
}

std::string mapDrivePath(std::string_view path) {
    std::string slashed(path);
    for (char& c : slashed)
        if (c == '\\') c = '/';
    if (!hasDriveLetter(slashed)) return slashed;

    std::string out = drivesRoot();
    if (out.empty()) return out;
    out += '/';
    out += static_cast<char>(std::tolower(static_cast<unsigned char>(slashed[0])));
    // "C:x" is relative to the drive's current folder, which for us is its root.
    std::string rest = normaliseAbsolute("/" + slashed.substr(2));
    if (rest != "/") out += rest;
    return out;
}

bool makeParentFolders(const std::string& mappedPath) {
    std::filesystem::path parent = std::filesystem::path(mappedPath).parent_path();
    if (parent.empty()) return true;
    std::error_code error;
    std::filesystem::create_directories(parent, error);
    return !error && std::filesystem::is_directory(parent, error);
}

}  // namespace winrules
