#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "platform/DefaultsStore.h"

namespace vantor::testing {

// A reproducible run of `count` settings changes of the kinds the program
// makes, some large enough that a write takes a while. Applying the first k
// changes to a store gives the state after k of them.
inline void applySettingsChanges(DefaultsStore& store, std::uint32_t seed, int count) {
    std::mt19937 random(seed);
    for (int step = 0; step < count; ++step) {
        std::string tag = std::to_string(step);
        switch (random() % 3) {
            case 0:
                store.setInteger("VantorPageSize", step);
                store.setString("HotCorner", "corner-" + tag);
                break;
            case 1: {
                std::vector<std::string> order(20 + static_cast<std::size_t>(step),
                                               "app:/usr/share/applications/" + tag + ".desktop");
                store.setStringArray(random() % 2 ? "VantorItemOrder" : "VantorApplicationOrder",
                                     order);
                break;
            }
            default:
                store.setData("VantorFolders", std::string(4000 + 400 * step, 'a' + step % 26));
                break;
        }
    }
}

}  // namespace vantor::testing
