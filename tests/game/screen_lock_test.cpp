// The full-screen lock: one holder at a time, a file of the user's own, never a trap.
#include "game/screen_lock.h"

#include "support/fixtures.h"

#include <filesystem>
#include <fstream>
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

} // namespace
