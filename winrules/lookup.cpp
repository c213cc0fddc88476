#include "winrules/lookup.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cstdlib>
#include <optional>

#include "winrules/drivepath.h"

namespace winrules {
namespace {

bool isDirectory(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool isRegularFile(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::string_view processPath() {
    const char* path = std::getenv("PATH");
    return path ? path : "";
}

}  // namespace

std::vector<std::string> pathFolders(std::string_view rest) {
    std::vector<std::string> folders;
    while (!rest.empty()) {
        size_t colon = rest.find(':');
        std::string folder(rest.substr(0, colon));
        rest = colon == std::string_view::npos ? std::string_view() : rest.substr(colon + 1);
        if (!folder.empty()) folders.push_back(std::move(folder));
    }
    return folders;
}

bool isProgramFile(const std::string& path) {
    return isRegularFile(path) && access(path.c_str(), X_OK) == 0;
}

std::string findInPath(std::string_view program, std::string_view path) {
    for (const std::string& folder : pathFolders(path)) {
        std::string candidate = folder + "/" + std::string(program);
        if (isProgramFile(candidate)) return candidate;
    }
    return {};
}

std::string findInPath(std::string_view program) {
    return findInPath(program, processPath());
}

std::string_view withoutExe(std::string_view name) {
    if (name.size() <= 4) return name;
    std::string_view tail = name.substr(name.size() - 4);
    for (size_t i = 0; i < 4; ++i)
        if (std::tolower(static_cast<unsigned char>(tail[i])) != ".exe"[i]) return name;
    return name.substr(0, name.size() - 4);
}

Resolution resolveCommand(const std::string& name) {
    std::string mapped = mapDrivePath(name);
    if (mapped.empty()) return {};
    size_t slash = mapped.rfind('/');
    std::string leaf = slash == std::string::npos ? mapped : mapped.substr(slash + 1);
    size_t dot = leaf.rfind('.');
    bool hasExe = withoutExe(leaf).size() != leaf.size();
    bool document = dot != std::string::npos && dot > 0 && dot + 1 < leaf.size() && !hasExe;

    auto check = [document](const std::string& path, bool exact) -> std::optional<Resolution> {
        if (!isRegularFile(path)) return std::nullopt;
        if (access(path.c_str(), X_OK) == 0) return Resolution{Resolution::Kind::Program, path};
        if (exact && document) return Resolution{Resolution::Kind::Document, path};
        return std::nullopt;
    };
    auto lookIn = [&](const std::string& folder) -> std::optional<Resolution> {
        std::string base = folder.empty() ? mapped : folder + "/" + mapped;
        if (auto hit = check(base, true)) return hit;
        if (hasExe) return check(base.substr(0, base.size() - 4), false);
        return std::nullopt;
    };

    if (slash != std::string::npos) {
        std::string folder = slash == 0 ? std::string("/") : mapped.substr(0, slash);
        if (!isDirectory(folder)) return {Resolution::Kind::NoFolder, {}};
        if (auto hit = lookIn("")) return *hit;
        return {};
    }
    if (auto hit = lookIn(".")) return *hit;
    for (const std::string& folder : pathFolders(processPath()))
        if (auto hit = lookIn(folder)) return *hit;
    return {};
}

}  // namespace winrules
