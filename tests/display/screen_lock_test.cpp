// The full-screen lock: one holder at a time, a file of the user's own, never a trap.
#include "display/screen_lock.h"

#include "support/fixtures.h"

#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

using namespace fixtures;
namespace fs = std::filesystem;

namespace {

using State = ScreenLock::State;

TEST(ScreenLock, OneHolderAtATimeInAFileOfTheUsersOwn) {
    WorkingFolder folder;
    {
        const ScreenLock first(folder.path());
        EXPECT_EQ(first.state(), State::TAKEN);
        struct stat status = {};
        ASSERT_EQ(stat(screen_lock_file(folder.path()).c_str(), &status), 0);
        EXPECT_EQ(status.st_mode & 0777, 0600u);
        const ScreenLock second(folder.path());
        EXPECT_EQ(second.state(), State::HELD);
    }
    // Released with its holder: no stale lock to clean.
    EXPECT_EQ(ScreenLock(folder.path()).state(), State::TAKEN);
}

TEST(ScreenLock, WhatCannotBeLockedSafelyIsLeftAlone) {
    WorkingFolder folder;
    const std::string file = screen_lock_file(folder.path());
    const std::string target = folder.path() + "/target";
    EXPECT_EQ(ScreenLock(folder.path() + "/gone").state(), State::UNAVAILABLE);
    // A planted link is not followed, and what it points at is neither made nor changed.
    fs::create_symlink(target, file);
    EXPECT_EQ(ScreenLock(folder.path()).state(), State::UNAVAILABLE);
    EXPECT_FALSE(fs::exists(target));
    fs::remove(file);
    fs::create_directory(file);
    EXPECT_EQ(ScreenLock(folder.path()).state(), State::UNAVAILABLE);
    fs::remove(file);
    // Another user's file of that name, open to all, is still theirs (only root can make one).
    std::ofstream(file).put('x');
    fs::permissions(file, fs::perms::all);
    constexpr uid_t NOBODY = 65534;
    if (getuid() == 0 && chown(file.c_str(), NOBODY, NOBODY) == 0) {
        EXPECT_EQ(ScreenLock(folder.path()).state(), State::UNAVAILABLE);
    }
}

// Runs check with the variable set to value, or unset when value is null, then puts it back.
void withVariable(const char* name, const char* value, const std::function<void()>& check) {
    const char* before = std::getenv(name);
    const std::optional<std::string> kept =
        before != nullptr ? std::optional<std::string>(before) : std::nullopt;
    value != nullptr ? setenv(name, value, 1) : unsetenv(name);
    check();
    kept ? setenv(name, kept->c_str(), 1) : unsetenv(name);
}

// Whatever DISPLAY holds, the lock is a file of the folder's own; a relative XDG_RUNTIME_DIR is
// ignored, as the XDG rules require.
TEST(ScreenLock, ItsFileStaysInItsFolderWhateverTheEnvironmentHolds) {
    const std::string uid = std::to_string(getuid());
    const struct {
        const char* display; // null: unset
        const char* name;
    } displays[] = {
        {":0", ":0"},
        {"localhost:10.0", "localhost:10.0"},
        {"../../etc/passwd", ".._.._etc_passwd"},
        {"/tmp/.X11-unix/X0", "_tmp_.X11-unix_X0"},
        {"..", ".."},
        {"", "none"},
        {nullptr, "none"},
    };
    for (const auto& c : displays) {
        withVariable("DISPLAY", c.display, [&] {
            const fs::path file = screen_lock_file("/run/lock-folder");
            EXPECT_EQ(file.parent_path(), "/run/lock-folder") << file;
            EXPECT_EQ(file.filename(), "tarnel-" + uid + "-" + c.name + ".lock");
        });
    }
    const struct {
        const char* runtime; // null: unset
        const char* folder;
    } runtimes[] = {
        {"/run/user/1000", "/run/user/1000"},
        {"run/user/1000", "/tmp"},
        {"./here", "/tmp"},
        {"", "/tmp"},
        {nullptr, "/tmp"},
    };
    for (const auto& c : runtimes) {
        withVariable("XDG_RUNTIME_DIR", c.runtime,
                     [&] { EXPECT_EQ(screen_lock_folder(), c.folder) << c.runtime; });
    }
}

} // namespace
