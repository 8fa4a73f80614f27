#include "ModelTest.h"

namespace vantor {
namespace {

TEST_F(ModelTest, AnApplicationThatComesLaterIsMarkedUntilOpenedOrAWeekOld) {
    const ordered_json known = {{"VantorItemOrder", {appItemID("A"), appItemID("B")}}};
    auto marks = [&](const std::string& bytes) {
        ordered_json stored = known;
        stored["VantorNewApplications"] = {{"data", encodeBase64(bytes)}};
        return stored;
    };
    const ordered_json tracking = marks("{}");
    const struct {
        ordered_json stored;
        const char* steps;
        Strings marked;
    } cases[] = {
        // The very first run: everything would be new.
        {{}, "scan A B", {}},
        {{}, "scan A B, scan A B C", {"C"}},
        // A settings file from before the marks: the same, once.
        {known, "scan A B C", {}},
        {known, "scan A B C, restart, scan A B C D", {"D"}},
        {tracking, "scan A B C, restart, scan A B C", {"C"}},
        {tracking, "scan A B C, open C", {}},
        {tracking, "scan A B C, open C, restart, scan A B C", {}},
        {tracking, "scan A B C, days 6, seconds 86399", {"C"}},
        {tracking, "scan A B C, days 7", {}},
        // A folder holding one is marked in its place.
        {tracking, "scan A B C, drop C A", {"文件夹"}},
        // Back within the grace for missing applications, it is not new;
        // back after it, it is.
        {tracking, "scan A, wait 9, scan A B", {}},
        {tracking, "scan A, wait 10, scan A B", {"B"}},
        // A new one gone for good is forgotten.
        {tracking, "scan A B C, scan A B, wait 10, scan A B", {}},
        // Malformed marks read as none, and marking goes on.
        {marks("not json"), "scan A B C", {"C"}},
        {marks(R"({"/Applications/A.app": "x"})"), "scan A B C", {"C"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.steps + (" over " + c.stored.dump()));
        load({}, c.stored);
        runSteps(c.steps);
        Strings marked;  // by title, folders holding one too
        for (const auto& item : model_->filteredItems()) {
            model_->isNewItem(item) ? marked.push_back(item.title()) : void();
        }
        EXPECT_EQ(marked, c.marked) << store_->values().dump();
    }
}

TEST_F(ModelTest, ArrangedByNameTheTopLevelFollowsTitlesUntilSwitchedBack) {
    load({app("A"), app("B"), app("C"), app("D")},
         {{"VantorItemOrder", {appItemID("D"), appItemID("C"), appItemID("B"), appItemID("A")}}});
    model_->setArrangedByName(true);
    EXPECT_EQ(shown(), (Strings{"A", "B", "C", "D"}));
    EXPECT_EQ(store_->string("VantorArrangement"), "name");
    // New applications fall into place.
    model_->applyScanResult({app("A"), app("B"), app("C"), app("D"), app("Ba")});
    EXPECT_EQ(shown(), (Strings{"A", "B", "Ba", "C", "D"}));
    // Moves change nothing; a drop onto a tile still makes a folder.
    store_->clearWrites();
    announcements_ = 0;
    model_->moveItem(appItemID("D"), appItemID("A"));
    model_->moveItemToEnd(appItemID("A"));
    expectUnchanged();
    model_->createFolderByDroppingItem(appItemID("D"), appItemID("A"));
    ASSERT_EQ(model_->folders().size(), 1u);
    model_->renameFolder(model_->folders()[0].id, "Bb");
    EXPECT_EQ(shown(), (Strings{"B", "Ba", "Bb", "C"}));
    // A restart keeps the choice; switching back keeps the order as it is.
    load({app("A"), app("B"), app("C"), app("D"), app("Ba")}, store_->values());
    EXPECT_TRUE(model_->arrangedByName());
    model_->setArrangedByName(false);
    model_->applyScanResult({app("A"), app("B"), app("C"), app("D"), app("Ba"), app("0")});
    EXPECT_EQ(shown(), (Strings{"B", "Ba", "Bb", "C", "0"}));
    model_->moveItemToEnd(appItemID("B"));
    EXPECT_EQ(shown(), (Strings{"Ba", "Bb", "C", "0", "B"}));
    EXPECT_EQ(store_->string("VantorArrangement"), "free");
}

}  // namespace
}  // namespace vantor
