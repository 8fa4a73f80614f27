#include <gtest/gtest.h>

#include "launcher/IconThemeIndex.h"

namespace vantor {
namespace {

using Strings = std::vector<std::string>;

// "path type size@scale min-max ±threshold", so a whole index compares in one go.
Strings described(const IconThemeIndex& index) {
    Strings lines;
    for (const IconDirectory& d : index.directories) {
        const char* type = d.type == IconDirectoryType::fixed      ? "fixed"
                           : d.type == IconDirectoryType::scalable ? "scalable"
                                                                   : "threshold";
        lines.push_back(d.path + " " + type + " " + std::to_string(d.size) + "@" +
                        std::to_string(d.scale) + " " + std::to_string(d.minSize) + "-" +
                        std::to_string(d.maxSize) + " ±" + std::to_string(d.threshold));
    }
    return lines;
}

TEST(IconThemeIndexTest, ReadsFoldersInOrderWithTheirDefaults) {
    auto index = IconThemeIndex::parse(
        "# a comment\r\n[Icon Theme]\r\nName=Mine\nName[de]=Meins\n"
        "Inherits = Parent , hicolor,\n"
        "Directories=48x48/apps,scalable/apps,,16x16/apps,\n"
        "ScaledDirectories=48x48@2/apps,16x16/apps\n\n"
        "[48x48/apps]\nSize=48\nType=Fixed\n"
        "[scalable/apps]\nSize = 64\nType=Scalable\nMinSize=8\nMaxSize=512\n"
        "[16x16/apps]\nSize=16\n"
        "[48x48@2/apps]\nSize=48\nScale=2\nThreshold=5\n");
    ASSERT_TRUE(index);
    EXPECT_EQ(index->parents, (Strings{"Parent", "hicolor"}));
    // A folder listed twice is searched once, where it was first listed; without a Type a
    // folder is a threshold one, by 2, with its own size as both limits.
    EXPECT_EQ(
        described(*index),
        (Strings{"48x48/apps fixed 48@1 48-48 ±2", "scalable/apps scalable 64@1 8-512 ±2",
                 "16x16/apps threshold 16@1 16-16 ±2", "48x48@2/apps threshold 48@2 48-48 ±5"}));
}

TEST(IconThemeIndexTest, LeavesOutFoldersItCannotUseOrThatLeaveTheTheme) {
    auto index = IconThemeIndex::parse(
        "[Icon Theme]\n"
        "Directories=nosection,nosize,badsize,zero,../../etc,/usr/share,a/./b,ok\n"
        "[nosize]\nType=Fixed\n[badsize]\nSize=48px\n[zero]\nSize=0\n"
        "[../../etc]\nSize=48\n[/usr/share]\nSize=48\n[a/./b]\nSize=48\n"
        "[ok]\nSize=48\nScale=0\nType=Unknown\nThreshold=-3\n");
    ASSERT_TRUE(index);
    // Nonsense values fall back to what an index without them would mean.
    EXPECT_EQ(described(*index), (Strings{"ok threshold 48@1 48-48 ±0"}));
}

TEST(IconThemeIndexTest, AFileWithoutTheThemeGroupIsNoIndex) {
    EXPECT_FALSE(IconThemeIndex::parse(""));
    EXPECT_FALSE(IconThemeIndex::parse("[Desktop Entry]\nName=Editor\n"));
    EXPECT_FALSE(IconThemeIndex::parse("Directories=48x48/apps\n[48x48/apps]\nSize=48\n"));
    auto empty = IconThemeIndex::parse("[Icon Theme]\nName=Empty\n");
    ASSERT_TRUE(empty);
    EXPECT_TRUE(empty->directories.empty());
}

TEST(IconDirectoryTest, DistanceIsInDevicePixelsToTheNearestSizeServed) {
    auto folder = [](IconDirectoryType type, int size, int scale, int min, int max, int by) {
        return IconDirectory{"", size, scale, type, min, max, by};
    };
    IconDirectory fixed = folder(IconDirectoryType::fixed, 48, 2, 48, 48, 2);
    EXPECT_EQ(fixed.sizeDistance(96, 1), 0);
    EXPECT_EQ(fixed.sizeDistance(48, 1), 48);
    EXPECT_EQ(fixed.sizeDistance(64, 2), 32);

    IconDirectory scalable = folder(IconDirectoryType::scalable, 48, 1, 16, 64, 2);
    EXPECT_EQ(scalable.sizeDistance(10, 1), 6);
    EXPECT_EQ(scalable.sizeDistance(40, 2), 16);

    // A threshold folder serves size ± threshold: it is measured from those ends.
    IconDirectory threshold = folder(IconDirectoryType::threshold, 48, 1, 48, 48, 2);
    EXPECT_EQ(threshold.sizeDistance(42, 1), 4);
    EXPECT_EQ(threshold.sizeDistance(47, 1), 0);
    EXPECT_EQ(threshold.sizeDistance(54, 2), 58);

    IconDirectory huge = folder(IconDirectoryType::fixed, 2'000'000'000, 2'000'000'000, 0, 0, 2);
    EXPECT_EQ(huge.sizeDistance(1, 1), 4'000'000'000'000'000'000LL - 1);
    IconDirectory wide =
        folder(IconDirectoryType::threshold, 2'000'000'000, 1, 0, 0, 2'000'000'000);
    EXPECT_TRUE(wide.matchesSize(2'000'000'000, 1));
    EXPECT_EQ(wide.sizeDistance(1, 1), 0);
}

}  // namespace
}  // namespace vantor
