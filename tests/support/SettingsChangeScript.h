#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "platform/DefaultsStore.h"

namespace vantor::testing {

// A reproducible run of settings changes of every kind the program makes, some
// of them large enough that a write takes a while: what a writer killed at a
// random moment is put through.
struct SettingsChange {
    enum class Kind { integer, string, stringArray, data };
    Kind kind;
    std::string key;
    std::int64_t integer = 0;
    std::string text;
    std::vector<std::string> strings;
};

inline std::vector<SettingsChange> settingsChangeScript(std::uint32_t seed, int count) {
    std::mt19937 random(seed);
    std::vector<SettingsChange> script;
    for (int step = 0; step < count; ++step) {
        SettingsChange change{};
        switch (random() % 4) {
            case 0:
                change = {SettingsChange::Kind::integer, "VantorPageSize", step, {}, {}};
                break;
            case 1:
                change = {SettingsChange::Kind::string,
                          "HotCorner",
                          0,
                          "corner-" + std::to_string(step),
                          {}};
                break;
            case 2:
                change.kind = SettingsChange::Kind::stringArray;
                change.key = random() % 2 == 0 ? "VantorItemOrder" : "VantorApplicationOrder";
                for (int i = 0; i < 20 + step; ++i) {
                    change.strings.push_back("app:/usr/share/applications/step" +
                                             std::to_string(step) + "-" + std::to_string(i) +
                                             ".desktop");
                }
                break;
            default:
                change.kind = SettingsChange::Kind::data;
                change.key = "VantorFolders";
                change.text.assign(4000 + 400 * static_cast<std::size_t>(step),
                                   static_cast<char>('a' + step % 26));
                break;
        }
        script.push_back(std::move(change));
    }
    return script;
}

inline void applySettingsChange(DefaultsStore& store, const SettingsChange& change) {
    switch (change.kind) {
        case SettingsChange::Kind::integer:
            store.setInteger(change.key, change.integer);
            break;
        case SettingsChange::Kind::string:
            store.setString(change.key, change.text);
            break;
        case SettingsChange::Kind::stringArray:
            store.setStringArray(change.key, change.strings);
            break;
        case SettingsChange::Kind::data:
            store.setData(change.key, change.text);
            break;
    }
}

}  // namespace vantor::testing
