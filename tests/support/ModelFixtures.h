#pragma once

#include <string>
#include <vector>

#include "model/ApplicationItem.h"
#include "model/LauncherModel.h"
#include "platform/JsonDefaults.h"

namespace vantor::testing {

// An application at /Applications/<name>.app named <name>.
ApplicationItem app(const std::string& name);
ApplicationItem app(const std::string& name, const std::string& path);

// The item ids of items, raw.
std::vector<std::string> itemIDs(const std::vector<VantorItem>& items);
// The titles of items.
std::vector<std::string> titles(const std::vector<VantorItem>& items);

std::string appItemID(const std::string& name);

}  // namespace vantor::testing
