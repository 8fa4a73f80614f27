#include <gtest/gtest.h>

#include "launcher/IconThemeIndex.h"

namespace vantor {
namespace {

using Strings = std::vector<std::string>;

// "path type size@scale min-max ±threshold" per folder, or "none" for no index.
Strings described(std::string_view text) {
    auto index = IconThemeIndex::parse(text);
    if (!index) {
        return {"none"};
    }
    Strings lines = index->parents;
    for (const IconDirectory& d : index->directories) {
        const char* type = d.type == IconDirectoryType::fixed      ? "fixed"
                           : d.type == IconDirectoryType::scalable ? "scalable"
                                                                   : "threshold";
        lines.push_back(d.path + " " + type + " " + std::to_string(d.size) + "@" +
                        std::to_string(d.scale) + " " + std::to_string(d.minSize) + "-" +
                        std::to_string(d.maxSize) + " ±" + std::to_string(d.threshold));
    }
    return lines;
}

TEST(IconThemeIndexTest, ReadsParentsAndUsableFoldersInOrderWithTheirDefaults) {
    // A folder listed twice is searched once, where it was first listed; without a Type a
    // folder is a threshold one, by 2, with its own size as both limits.
    EXPECT_EQ(described("# a comment\r\n[Icon Theme]\r\nName=Mine\nName[de]=Meins\n"
                        "Inherits = Parent , hicolor,\n"
                        "Directories=48x48/apps,scalable/apps,,16x16/apps,\n"
                        "ScaledDirectories=48x48@2/apps,16x16/apps\n\n"
                        "[48x48/apps]\nSize=48\nType=Fixed\n"
                        "[scalable/apps]\nSize = 64\nType=Scalable\nMinSize=8\nMaxSize=512\n"
                        "[16x16/apps]\nSize=16\n"
                        "[48x48@2/apps]\nSize=48\nScale=2\nThreshold=5\n"),
              (Strings{"Parent", "hicolor", "48x48/apps fixed 48@1 48-48 ±2",
                       "scalable/apps scalable 64@1 8-512 ±2", "16x16/apps threshold 16@1 16-16 ±2",
                       "48x48@2/apps threshold 48@2 48-48 ±5"}));
    // Folders it cannot use or that leave the theme are left out; nonsense values
    // fall back to what an index without them would mean.
    EXPECT_EQ(described("[Icon Theme]\n"
                        "Directories=nosection,nosize,badsize,zero,../../etc,/usr/share,a/./b,ok\n"
                        "[nosize]\nType=Fixed\n[badsize]\nSize=48px\n[zero]\nSize=0\n"
                        "[../../etc]\nSize=48\n[/usr/share]\nSize=48\n[a/./b]\nSize=48\n"
                        "[ok]\nSize=48\nScale=0\nType=Unknown\nThreshold=-3\n"),
              (Strings{"ok threshold 48@1 48-48 ±0"}));
    // A file without the theme group is no index.
    for (const char* text : {"", "[Desktop Entry]\nName=Editor\n",
                             "Directories=48x48/apps\n[48x48/apps]\nSize=48\n"}) {
        EXPECT_EQ(described(text), Strings{"none"}) << text;
    }
    EXPECT_EQ(described("[Icon Theme]\nName=Empty\n"), Strings{});
}

TEST(IconThemeIndexTest, HugeSizesAndThresholdsDoNotOverflowTheDistance) {
    IconDirectory huge{"", 2'000'000'000, 2'000'000'000, IconDirectoryType::fixed, 0, 0, 2};
    EXPECT_EQ(huge.sizeDistance(1, 1), 4'000'000'000'000'000'000LL - 1);
    IconDirectory wide{"", 2'000'000'000, 1, IconDirectoryType::threshold, 0, 0, 2'000'000'000};
    EXPECT_TRUE(wide.matchesSize(2'000'000'000, 1));
    EXPECT_EQ(wide.sizeDistance(1, 1), 0);
}

}  // namespace
}  // namespace vantor
