#include <gtest/gtest.h>

#include "launcher/IconThemeIndex.h"

namespace vantor {
namespace {

using Strings = std::vector<std::string>;

Strings pathsOf(const IconThemeIndex& index) {
    Strings paths;
    for (const IconDirectory& directory : index.directories) {
        paths.push_back(directory.path);
    }
    return paths;
}

IconDirectory directory(IconDirectoryType type, int size, int scale = 1, int minSize = 0,
                        int maxSize = 0, int threshold = 2) {
    IconDirectory result;
    result.type = type;
    result.size = size;
    result.scale = scale;
    result.minSize = minSize;
    result.maxSize = maxSize;
    result.threshold = threshold;
    return result;
}

TEST(IconThemeIndexTest, ReadsFoldersInOrderWithTheirDefaults) {
    auto index = IconThemeIndex::parse(
        "# a comment\r\n"
        "[Icon Theme]\r\n"
        "Name=Mine\n"
        "Name[de]=Meins\n"
        "Inherits = Parent , hicolor,\n"
        "Directories=48x48/apps,scalable/apps,,16x16/apps,\n"
        "ScaledDirectories=48x48@2/apps,16x16/apps\n"
        "\n"
        "[48x48/apps]\n"
        "Size=48\n"
        "Type=Fixed\n"
        "[scalable/apps]\n"
        "Size = 64\n"
        "Type=Scalable\n"
        "MinSize=8\n"
        "MaxSize=512\n"
        "[16x16/apps]\n"
        "Size=16\n"
        "[48x48@2/apps]\n"
        "Size=48\n"
        "Scale=2\n"
        "Threshold=5\n");
    ASSERT_TRUE(index);
    EXPECT_EQ(index->parents, (Strings{"Parent", "hicolor"}));
    // A folder listed twice is searched once, where it was first listed.
    EXPECT_EQ(pathsOf(*index),
              (Strings{"48x48/apps", "scalable/apps", "16x16/apps", "48x48@2/apps"}));

    const IconDirectory& fixed = index->directories[0];
    EXPECT_EQ(fixed.type, IconDirectoryType::fixed);
    EXPECT_EQ(fixed.size, 48);
    EXPECT_EQ(fixed.scale, 1);

    const IconDirectory& scalable = index->directories[1];
    EXPECT_EQ(scalable.type, IconDirectoryType::scalable);
    EXPECT_EQ(scalable.size, 64);
    EXPECT_EQ(scalable.minSize, 8);
    EXPECT_EQ(scalable.maxSize, 512);

    // Without a Type the folder is a threshold one, with a threshold of 2 and its own size as
    // both limits.
    const IconDirectory& plain = index->directories[2];
    EXPECT_EQ(plain.type, IconDirectoryType::threshold);
    EXPECT_EQ(plain.threshold, 2);
    EXPECT_EQ(plain.minSize, 16);
    EXPECT_EQ(plain.maxSize, 16);

    const IconDirectory& doubled = index->directories[3];
    EXPECT_EQ(doubled.scale, 2);
    EXPECT_EQ(doubled.threshold, 5);
}

TEST(IconThemeIndexTest, LeavesOutFoldersItCannotUseOrThatLeaveTheTheme) {
    auto index = IconThemeIndex::parse(
        "[Icon Theme]\n"
        "Directories=nosection,nosize,badsize,zero,../../etc,/usr/share,a/./b,ok\n"
        "[nosize]\nType=Fixed\n"
        "[badsize]\nSize=48px\n"
        "[zero]\nSize=0\n"
        "[../../etc]\nSize=48\n"
        "[/usr/share]\nSize=48\n"
        "[a/./b]\nSize=48\n"
        "[ok]\nSize=48\nScale=0\nType=Unknown\n");
    ASSERT_TRUE(index);
    ASSERT_EQ(pathsOf(*index), (Strings{"ok"}));
    // Nonsense values fall back to what an index without them would mean.
    EXPECT_EQ(index->directories[0].scale, 1);
    EXPECT_EQ(index->directories[0].type, IconDirectoryType::threshold);
}

TEST(IconThemeIndexTest, AFileWithoutTheThemeGroupIsNoIndex) {
    EXPECT_FALSE(IconThemeIndex::parse(""));
    EXPECT_FALSE(IconThemeIndex::parse("[Desktop Entry]\nName=Editor\n"));
    // Keys before any group belong to none.
    EXPECT_FALSE(IconThemeIndex::parse("Directories=48x48/apps\n[48x48/apps]\nSize=48\n"));
    auto empty = IconThemeIndex::parse("[Icon Theme]\nName=Empty\n");
    ASSERT_TRUE(empty);
    EXPECT_TRUE(empty->directories.empty());
    EXPECT_TRUE(empty->parents.empty());
}

TEST(IconDirectoryTest, MatchesOnlyItsOwnScaleAndSizes) {
    IconDirectory fixed = directory(IconDirectoryType::fixed, 48);
    EXPECT_TRUE(fixed.matchesSize(48, 1));
    EXPECT_FALSE(fixed.matchesSize(47, 1));
    EXPECT_FALSE(fixed.matchesSize(48, 2));

    IconDirectory scalable = directory(IconDirectoryType::scalable, 48, 1, 16, 256);
    EXPECT_TRUE(scalable.matchesSize(16, 1));
    EXPECT_TRUE(scalable.matchesSize(256, 1));
    EXPECT_FALSE(scalable.matchesSize(15, 1));
    EXPECT_FALSE(scalable.matchesSize(257, 1));

    IconDirectory threshold = directory(IconDirectoryType::threshold, 32, 2, 0, 0, 3);
    EXPECT_TRUE(threshold.matchesSize(29, 2));
    EXPECT_TRUE(threshold.matchesSize(35, 2));
    EXPECT_FALSE(threshold.matchesSize(28, 2));
    EXPECT_FALSE(threshold.matchesSize(36, 2));
    EXPECT_FALSE(threshold.matchesSize(32, 1));
}

TEST(IconDirectoryTest, DistanceIsInDevicePixelsToTheNearestSizeServed) {
    IconDirectory fixed = directory(IconDirectoryType::fixed, 48, 2);
    EXPECT_EQ(fixed.sizeDistance(48, 2), 0);
    EXPECT_EQ(fixed.sizeDistance(96, 1), 0);
    EXPECT_EQ(fixed.sizeDistance(48, 1), 48);
    EXPECT_EQ(fixed.sizeDistance(64, 2), 32);

    IconDirectory scalable = directory(IconDirectoryType::scalable, 48, 1, 16, 64);
    EXPECT_EQ(scalable.sizeDistance(10, 1), 6);
    EXPECT_EQ(scalable.sizeDistance(40, 1), 0);
    EXPECT_EQ(scalable.sizeDistance(40, 2), 16);

    // A threshold folder serves size ± threshold, so it is measured from those ends, not from
    // its (unset) minimum and maximum.
    IconDirectory threshold = directory(IconDirectoryType::threshold, 48, 1, 48, 48, 2);
    EXPECT_EQ(threshold.sizeDistance(42, 1), 4);
    EXPECT_EQ(threshold.sizeDistance(47, 1), 0);
    EXPECT_EQ(threshold.sizeDistance(54, 1), 4);
    EXPECT_EQ(threshold.sizeDistance(54, 2), 58);
}

TEST(IconDirectoryTest, HugeValuesDoNotOverflow) {
    IconDirectory huge = directory(IconDirectoryType::fixed, 2'000'000'000, 2'000'000'000);
    EXPECT_EQ(huge.sizeDistance(1, 1), 4'000'000'000'000'000'000LL - 1);
    IconDirectory wide =
        directory(IconDirectoryType::threshold, 2'000'000'000, 1, 0, 0, 2'000'000'000);
    EXPECT_TRUE(wide.matchesSize(2'000'000'000, 1));
    EXPECT_EQ(wide.sizeDistance(1, 1), 0);
}

}  // namespace
}  // namespace vantor
