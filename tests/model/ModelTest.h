#pragma once

#include <gtest/gtest.h>

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
