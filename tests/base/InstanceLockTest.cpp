#include "base/InstanceLock.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "support/TempTree.h"

namespace vantor {
namespace {

TEST(InstanceLockTest, OneDisplayHasOneNameHoweverItIsWritten) {
    auto name = [](const char* wayland, const char* x11) {
        return normalisedDisplay(wayland, x11, "/run/user/1000/");
    };
    for (const char* x11 : {":0", ":0.0", "unix:00.1"}) {
        EXPECT_EQ(name("", x11), ":0") << x11;
    }
    EXPECT_EQ(name("", "host.example:10.0"), "host.example:10");
    EXPECT_EQ(name("", ":1.x/"), ":1.x%2F");
    for (const char* wayland : {"wayland-1", "/run/user/1000/wayland-1"}) {
        EXPECT_EQ(name(wayland, ":0"), "wayland-1") << wayland;
    }
    EXPECT_EQ(name("/tmp/a/wayland-1", ""), "%2Ftmp%2Fa%2Fwayland-1");
    EXPECT_EQ(name("odd:0", ""), "odd%3A0");  // never read as an X display
}

TEST(InstanceLockTest, TheLockLivesInAFolderOfTheUsersOwnOnly) {
    testing::TempTree tree;
    testing::ScopedEnvironment environment;
    environment.unset("XDG_RUNTIME_DIR");
    environment.set("TMPDIR", tree.path());
    const std::string folder = tree.path("vantor-" + std::to_string(::getuid()));
    EXPECT_EQ(instancePlace(true).error, "");  // made 0700: not refused
    ::chmod(folder.c_str(), 0755);
    EXPECT_NE(instancePlace(true).error.find("private folder (owner"), std::string::npos);
    ::rename(folder.c_str(), (folder + "-real").c_str());
    tree.link("vantor-" + std::to_string(::getuid()), folder + "-real");
    EXPECT_NE(instancePlace(true).error.find("private folder (a link"), std::string::npos);
}

}  // namespace
}  // namespace vantor
