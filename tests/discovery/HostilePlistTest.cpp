// Info.plists made to hurt the reader: nested too deep, tables that point
// outside the file or expand without end.
#include <gtest/gtest.h>

#include "DiscoveryFixtures.h"
#include "support/HostileInputs.h"

namespace vantor {
namespace {

using testing::deepBinaryPlist;
using testing::deepXmlPlist;

// What the program itself does with a bundle in ~/Applications: the scan
// reads its Info.plist on the way.
TEST(HostilePlistTest, ADeeplyNestedInfoPlistIsRefusedAndTheBundleKeepsItsFolderName) {
    struct Case {
        const char* what;
        std::string plist;
    };
    const Case cases[] = {
        {"XML, 200,000 arrays deep (3 MB)", deepXmlPlist(200'000)},
        {"binary, 120,000 arrays deep", deepBinaryPlist(120'000)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        testing::ScopedEnvironment environment;
        testing::neutraliseEnvironment(environment);
        testing::TempTree tree;
        environment.set("HOME", tree.folder("home"));
        environment.set("XDG_DATA_DIRS", tree.folder("data"));
        tree.file("home/Applications/X.app/Contents/Info.plist", c.plist);

        DiscoveryResult result = ApplicationDiscovery::discoverApplications();
        ASSERT_EQ(result.applications.size(), 1u);
        EXPECT_EQ(result.applications[0].name, "X");  // not "Deep": nothing of it is trusted
    }
}

}  // namespace
}  // namespace vantor
