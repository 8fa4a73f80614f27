#pragma once

#include <gtest/gtest.h>

#include <sstream>

#include "base/Base64.h"
#include "model/LauncherModel.h"
#include "support/ManualMainQueue.h"
#include "support/ModelFixtures.h"

namespace vantor {

using Strings = std::vector<std::string>;
using nlohmann::ordered_json;
using testing::app;
using testing::appItemID;
using testing::itemIDs;
using testing::titles;

// A memory-store model, its announcements counted, its history and queue clocks set by the test.
class ModelTest : public ::testing::Test {
protected:
    ModelTest() { ::setenv("LC_ALL", "zh_CN.UTF-8", 1); }
    ~ModelTest() override { ::unsetenv("LC_ALL"); }

    // Made over `stored`, then given `scanned` (its writes forgotten); construction writes nothing.
    LauncherModel& load(std::vector<ApplicationItem> scanned, nlohmann::ordered_json stored = {}) {
        subscription_.reset();
        model_.reset();
        store_ = std::make_unique<MemoryDefaultsStore>(
            stored.is_null() ? nlohmann::ordered_json::object() : std::move(stored));
        model_ = std::make_unique<LauncherModel>(*store_, ReloadServices{{}, nullptr, &queue_});
        model_->setClock([this] { return now_; });
        if (!scanned.empty()) {
            model_->applyScanResult(std::move(scanned));
            store_->clearWrites();
        }
        subscription_ = model_->observe([this] { ++announcements_; });
        announcements_ = 0;
        return *model_;
    }
    LauncherModel& abcd() {
        return load({testing::app("A"), testing::app("B"), testing::app("C"), testing::app("D")});
    }
    Strings shown() const { return testing::titles(model_->topLevelItems()); }
    Strings storedArray(const char* key) const {
        return store_->stringArray(key).value_or(Strings{"none"});
    }
    // The stored folders, as JSON text.
    static nlohmann::ordered_json folders(const std::string& json) {
        return {{"data", encodeBase64(json)}};
    }
    // Runs steps such as "scan X A, wait 9, restart": a scan finding app(name)s,
    // minutes on the queue, days or seconds on the clock, a restart over what
    // is stored, a launch; moves and drops (onto the second name, else folder
    // "F"), taking out of F and dissolving it.
    void runSteps(const std::string& steps) {
        std::istringstream list(steps);
        for (std::string step; std::getline(list, step, ',');) {
            std::istringstream words(step);
            std::string verb, name;  // the last word
            std::vector<ApplicationItem> found;
            for (words >> verb; words >> name;) {
                found.push_back(app(name));
            }
            CanonicalString target = found.size() > 1 ? appItemID(name) : "folder:F";
            verb == "scan"      ? model_->applyScanResult(found)
            : verb == "wait"    ? queue_.advanceBy(std::chrono::minutes(std::stoi(name)))
            : verb == "days"    ? (void)(now_ += std::stoi(name) * 24 * 60 * 60)
            : verb == "seconds" ? (void)(now_ += std::stoi(name))
            : verb == "restart" ? (void)load({}, store_->values())
            : verb == "open"    ? model_->recordLaunch(found.at(0).id)
            : verb == "end"     ? model_->moveItemToEnd(applicationItemID(found.at(0).id))
            : verb == "drop"
                ? model_->createFolderByDroppingItem(applicationItemID(found.at(0).id), target)
            : verb == "out"      ? model_->takeApplicationOutOfFolder("F", found.at(0).id)
            : verb == "dissolve" ? model_->dissolveFolder("F")
                                 : ADD_FAILURE() << "no such step: " << step;
        }
    }
    void expectUnchanged() const {
        EXPECT_EQ(store_->writeCount(), 0);
        EXPECT_EQ(announcements_, 0);
    }

    testing::ManualMainQueue queue_;
    std::unique_ptr<MemoryDefaultsStore> store_;
    std::unique_ptr<LauncherModel> model_;
    std::optional<ChangeNotifier::Subscription> subscription_;
    int announcements_ = 0;
    std::int64_t now_ = 1'700'000'000;
};

}  // namespace vantor
