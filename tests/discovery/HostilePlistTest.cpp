#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "DiscoveryFixtures.h"
#include "discovery/InfoPlist.h"
#include "discovery/PlistNesting.h"
#include "support/HostileInputs.h"

namespace vantor {
namespace {

using testing::BinaryPlistBuilder;
using testing::repeated;

using HostileBundleTest = testing::DiscoveryTest;

TEST_F(HostileBundleTest, SixtyFourLevelsAreReadAndHostilePlistsRefusedSoTheFolderNameShows) {
    std::vector<std::string> expected;
    for (const auto& [what, path, trusted] :
         testing::makePlistBundles(tree_, "home/Applications")) {
        expected.push_back(trusted ? "Deep" : std::filesystem::path(path).stem().string());
    }
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(names(), expected);
}

TEST(HostilePlistTest, XmlNestingCountsOnlyRealContainerElements) {
    std::string closes65 = repeated("</array>", 65);
    const std::tuple<const char*, std::string, bool> cases[] = {
        {"inside a comment", "<plist><!--" + repeated("<array>", 100) + "--><dict/></plist>", true},
        {"inside CDATA",
         "<plist><dict><key>k</key><string><![CDATA[" + repeated("<dict>", 100) +
             "]]></string></dict></plist>",
         true},
        {"what follows an empty top-level container, which the reader puts inside it",
         "<plist><array/>" + repeated("<array>", 64) + repeated("</array>", 64) + "</plist>",
         false},
        {"a quoted '/>' in a container's attribute", repeated("<array a=\"/>\">", 65), false},
        {"other case and space", repeated("< ARRAY >", 65) + closes65, false},
        {"mixed containers", repeated("<array><dict><key>k</key>", 33) + "<array/>", false},
        {"a container closed as the other kind", "<plist><array></dict></plist>", false},
        {"a comment cut short", "<plist><array><!-- </array></plist>", false},
    };
    for (const auto& [what, xml, within] : cases) {
        SCOPED_TRACE(what);
        EXPECT_EQ(plistNestingWithin(xml), within);
    }
}

TEST(HostilePlistTest, BinaryTablesMustStayInsideTheFileAndExpandToAFewNodes) {
    // Names in a sound file; over 15 pairs, so the dict's count takes its own integer object.
    BinaryPlistBuilder sound;
    std::vector<std::uint64_t> keys{sound.addString("CFBundleName")};
    std::vector<std::uint64_t> values{sound.addString("Sound")};
    for (int i = 0; i < 20; ++i) {
        keys.push_back(sound.addString("Key" + std::to_string(i)));
        values.push_back(sound.addArray({values[0]}));
    }
    std::uint64_t soundTop = sound.addDict(keys, values);

    BinaryPlistBuilder cycle;
    cycle.addArray({0});

    // Forty levels, each holding the next twice: 2^40 nodes once copied out.
    BinaryPlistBuilder shared;
    for (int level = 0; level < 40; ++level) {
        shared.addArray({shared.size() + 1, shared.size() + 1});
    }
    shared.addArray({});

    BinaryPlistBuilder outside;
    outside.addArray({7});
    outside.addString("only two objects");

    auto withTrailerByte = [](std::string file, std::size_t fromEnd, char value) {
        file[file.size() - fromEnd] = value;
        return file;
    };
    std::string soundFile = sound.build(soundTop);
    const std::tuple<const char*, std::string, bool> cases[] = {
        {"sound", soundFile, true},
        {"a container holding itself", cycle.build(0), false},
        {"one object shared down forty levels", shared.build(0), false},
        {"a reference past the last object", outside.build(0), false},
        {"a top object past the last", withTrailerByte(soundFile, 9, 100), false},
        {"more objects than the offset table holds", withTrailerByte(soundFile, 17, 120), false},
        {"an offset table past the end", withTrailerByte(soundFile, 2, 0x7F), false},
        {"references of no size", withTrailerByte(soundFile, 25, 0), false},
        {"a header and nothing else", "bplist00", false},
    };
    for (const auto& [what, file, within] : cases) {
        SCOPED_TRACE(what);
        EXPECT_EQ(plistNestingWithin(file), within);
    }
    EXPECT_EQ(parseInfoPlist(soundFile)->bundleName, "Sound");
}

}  // namespace
}  // namespace vantor
