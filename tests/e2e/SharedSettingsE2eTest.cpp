// Two instances of one user, on two displays, sharing one settings file.
#include <gtest/gtest.h>

#include "E2eSession.h"

namespace vantor::e2e {
namespace {

TEST(SharedSettingsE2eTest, InstancesOnTwoDisplaysKeepAndTakeInEachOthersChoices) {
    VirtualDisplay secondDisplay(1920, 1080);
    E2eSession first;
    E2eSession second;
    second.setDisplay(secondDisplay);
    second.addEnvironment("XDG_CONFIG_HOME=" + shellQuote((first.home() / ".config").string()));
    second.addNumberedApplications(1, 12);
    auto stored = [&](const std::string& text) {
        return first.readDefaults().find(text) != std::string::npos;
    };
    first.startVantor();
    second.startVantor();

    ASSERT_TRUE(
        E2eSession::waitUntil([&] { return first.runVantor("--menu '每页数量/48 个'") == 0; }));
    ASSERT_TRUE(E2eSession::waitUntil([&] { return stored("\"VantorPageSize\": 48"); }));
    EXPECT_EQ(first.runVantor("--menu '每页数量/50 个'"), 1);  // no such entry
    ASSERT_TRUE(
        E2eSession::waitUntil([&] { return second.runVantor("--menu '触发角/右下角'") == 0; }));
    ASSERT_TRUE(E2eSession::waitUntil([&] { return stored("\"HotCorner\": \"bottomRight\""); }));
    EXPECT_TRUE(stored("\"VantorPageSize\": 48")) << "the second instance undid the page size";

    // The second instance took the page size in (it looks every second): eight
    // columns, so one row down from the first item is the ninth.
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    second.movePointer(960, 20);
    ASSERT_EQ(second.runVantor("--show"), 0);
    ASSERT_TRUE(second.waitForLauncher(true));
    second.xdotool("key Down");
    second.xdotool("key Return");
    EXPECT_TRUE(second.waitForLaunch("app09"));
    EXPECT_FALSE(second.wasLaunched("app06"));  // one row down with the default 35 (7 columns)

    // A choice right before SIGTERM is stored all the same.
    ASSERT_EQ(second.runVantor("--menu '每页数量/63 个'"), 0);
    second.stopVantor();
    EXPECT_TRUE(stored("\"VantorPageSize\": 63"));
}

}  // namespace
}  // namespace vantor::e2e
