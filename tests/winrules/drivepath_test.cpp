#include "winrules/drivepath.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <optional>

#include "harness.h"

namespace {

// Sets or clears environment variables for one test and puts them back after.
class EnvGuard {
public:
    void set(const char* name, std::optional<std::string> value) {
        if (!saved_.contains(name)) {
            const char* old = std::getenv(name);
            saved_[name] = old ? std::optional<std::string>(old) : std::nullopt;
        }
        if (value)
            setenv(name, value->c_str(), 1);
        else
            unsetenv(name);
    }
    ~EnvGuard() {
        for (const auto& [name, value] : saved_) {
            if (value)
                setenv(name.c_str(), value->c_str(), 1);
            else
                unsetenv(name.c_str());
        }
    }

private:
    std::map<std::string, std::optional<std::string>> saved_;
};

TEST(DrivePath, MapsDriveLettersBelowTheRoot) {
    EnvGuard env;
    env.set("TESSADREL_DRIVES", "/tmp/drv");
    const std::pair<const char*, const char*> cases[] = {
        {"C:\\WINDOWS\\serno.txt", "/tmp/drv/c/WINDOWS/serno.txt"},
        {"c:/x", "/tmp/drv/c/x"},
        {"D:", "/tmp/drv/d"},
        {"C:\\", "/tmp/drv/c"},
        {"C:foo\\bar", "/tmp/drv/c/foo/bar"},
        {"C:\\..\\..\\etc\\passwd", "/tmp/drv/c/etc/passwd"},
        {"C:\\a\\.\\b\\..\\c", "/tmp/drv/c/a/c"},
        {"sub\\a.txt", "sub/a.txt"},
        {"/abs/x", "/abs/x"},
        {"\\\\server\\share", "//server/share"},
        {"null", "null"},
    };
    for (const auto& [in, out] : cases) EXPECT_EQ(winrules::mapDrivePath(in), out) << in;
}

TEST(DrivePath, RootDefaultsAndOverride) {
    EnvGuard env;
    env.set("TESSADREL_DRIVES", std::nullopt);
    env.set("XDG_DATA_HOME", "/xdg");
    EXPECT_EQ(winrules::drivesRoot(), "/xdg/tessadrel/drives");
    env.set("XDG_DATA_HOME", "relative/ignored");
    env.set("HOME", "/home/u");
    EXPECT_EQ(winrules::drivesRoot(), "/home/u/.local/share/tessadrel/drives");
    env.set("XDG_DATA_HOME", std::nullopt);
    EXPECT_EQ(winrules::drivesRoot(), "/home/u/.local/share/tessadrel/drives");
    env.set("TESSADREL_DRIVES", "/a/b/../c/");
    EXPECT_EQ(winrules::drivesRoot(), "/a/c");
}

TEST(DrivePath, NeverTheMachinesRoot) {
    EnvGuard env;
    env.set("XDG_DATA_HOME", "/xdg");
    for (const char* bad : {"/", "///", "/..", "relative", ""}) {
        env.set("TESSADREL_DRIVES", bad);
        EXPECT_EQ(winrules::drivesRoot(), "/xdg/tessadrel/drives") << bad;
        EXPECT_EQ(winrules::mapDrivePath("C:\\WINDOWS"), "/xdg/tessadrel/drives/c/WINDOWS") << bad;
    }
    env.set("TESSADREL_DRIVES", std::nullopt);
    env.set("XDG_DATA_HOME", "/");
    EXPECT_NE(winrules::drivesRoot(), "/");
}

// With no home folder the drives go to the user's own runtime folder, never
// to a folder other users can write (/tmp); without that there are none.
TEST(DrivePath, WithoutAHomeOnlyTheRuntimeFolderServes) {
    EnvGuard env;
    env.set("TESSADREL_DRIVES", std::nullopt);
    env.set("XDG_DATA_HOME", std::nullopt);
    env.set("HOME", std::nullopt);
    env.set("XDG_RUNTIME_DIR", "/run/user/1000");
    for (const char* account : {"", "relative", "/nonexistent-home-of-a-service"}) {
        EXPECT_EQ(winrules::drivesRoot(account), "/run/user/1000/tessadrel/drives") << account;
        env.set("XDG_RUNTIME_DIR", "run/relative");
        EXPECT_EQ(winrules::drivesRoot(account), "") << account;
        env.set("XDG_RUNTIME_DIR", std::nullopt);
        EXPECT_EQ(winrules::drivesRoot(account), "") << account;
        env.set("XDG_RUNTIME_DIR", "/run/user/1000");
    }
    cmdtest::Sandbox box;
    EXPECT_EQ(winrules::drivesRoot(box.root), box.root + "/.local/share/tessadrel/drives");
}

TEST(DrivePath, ParentFoldersAreMadeForWriting) {
    cmdtest::Sandbox box;
    EnvGuard env;
    env.set("TESSADREL_DRIVES", box.drives);
    std::string mapped = winrules::mapDrivePath("C:\\WINDOWS\\serno.txt");
    EXPECT_TRUE(winrules::makeParentFolders(mapped));
    EXPECT_TRUE(std::filesystem::is_directory(box.drives + "/c/WINDOWS"));
    cmdtest::writeFile(box.drives + "/c/file", "x");
    EXPECT_FALSE(winrules::makeParentFolders(winrules::mapDrivePath("C:\\file\\below")));
}

}  // namespace
