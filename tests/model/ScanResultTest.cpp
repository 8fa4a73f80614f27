#include <gtest/gtest.h>

#include "model/LauncherModel.h"
#include "support/ModelFixtures.h"

namespace vantor {
namespace {

using testing::app;
using testing::appItemID;
using testing::titles;
using Strings = std::vector<std::string>;

TEST(ScanResultTest, TheFirstScanStoresTheShownOrderAndMarksTheModelLoaded) {
    MemoryDefaultsStore store;
    LauncherModel model(store);
    model.applyScanResult({app("Zeta"), app("alpha"), app("Mid")});
    EXPECT_TRUE(model.hasLoadedApplications());
    EXPECT_EQ(*store.stringArray("VantorItemOrder"),
              (Strings{appItemID("alpha"), appItemID("Mid"), appItemID("Zeta")}));
    EXPECT_EQ(
        *store.stringArray("VantorApplicationOrder"),
        (Strings{"/Applications/Zeta.app", "/Applications/alpha.app", "/Applications/Mid.app"}));
}

TEST(ScanResultTest, ApplicationsFollowTheStoredApplicationOrder) {
    MemoryDefaultsStore store;
    store.setStringArray("VantorApplicationOrder", {"/Applications/C.app", "/Applications/A.app"});
    LauncherModel model(store);
    model.applyScanResult({app("A"), app("b"), app("C"), app("a2")});
    Strings names;
    for (const auto& application : model.applications()) {
        names.push_back(application.name);
    }
    EXPECT_EQ(names, (Strings{"C", "A", "a2", "b"}));
}

TEST(ScanResultTest, RescansAddNewApplicationsAtTheEndAndDropRemovedOnes) {
    MemoryDefaultsStore store;
    LauncherModel model(store);
    model.applyScanResult({app("B"), app("C"), app("D")});
    model.moveItemToEnd(appItemID("B"));
    model.applyScanResult({app("A"), app("B"), app("D"), app("E")});
    EXPECT_EQ(titles(model.topLevelItems()), (Strings{"D", "B", "A", "E"}));
    EXPECT_EQ(*store.stringArray("VantorItemOrder"),
              (Strings{appItemID("D"), appItemID("B"), appItemID("A"), appItemID("E")}));
}

}  // namespace
}  // namespace vantor
