#pragma once

#include <string>
#include <vector>

#include "discovery/ApplicationDiscovery.h"
#include "support/TempTree.h"

namespace vantor::testing {

// Makes a bundle folder whose Contents/Info.plist is an XML dictionary of
// `entries` (each a <key> then its value's element); returns its path.
std::string makeBundle(const TempTree& tree, const std::string& relative,
                       const std::string& entries = "");
// A <key> with a <string> value, for makeBundle.
std::string plistString(const std::string& key, const std::string& value);

// The text of an application desktop entry with the given name and extra lines.
std::string desktopEntry(const std::string& name, const std::string& extraLines = "");

std::vector<std::string> namesOf(const std::vector<ApplicationItem>& applications);
std::vector<std::string> idsOf(const std::vector<ApplicationItem>& applications);

// An environment with no locale, no desktop and no XDG variables set, so a
// test decides each of them itself.
void neutraliseEnvironment(ScopedEnvironment& environment);

}  // namespace vantor::testing
