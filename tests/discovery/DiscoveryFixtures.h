#pragma once

#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "discovery/ApplicationDiscovery.h"
#include "support/TempTree.h"

namespace vantor::testing {

// A value stored in a generated Info.plist.
struct PlistValue {
    enum class Kind { string, integer, dictionary };
    Kind kind = Kind::string;
    std::string text;
    static PlistValue string(std::string text) { return {Kind::string, std::move(text)}; }
    static PlistValue integer() { return {Kind::integer, ""}; }
    static PlistValue dictionary() { return {Kind::dictionary, ""}; }
};

enum class PlistFormat { xml, binary };

// Makes a bundle folder with Contents/Info.plist holding the given values;
// returns the bundle's path.
std::string makeBundle(const TempTree& tree, const std::string& relative,
                       const std::map<std::string, PlistValue>& values,
                       PlistFormat format = PlistFormat::xml);

// The text of an application desktop entry with the given name and extra lines.
std::string desktopEntry(const std::string& name, const std::string& extraLines = "");

std::vector<std::string> namesOf(const std::vector<ApplicationItem>& applications);
std::vector<std::string> idsOf(const std::vector<ApplicationItem>& applications);

// An environment with no locale, no desktop and no XDG variables set, so a
// test decides each of them itself.
void neutraliseEnvironment(ScopedEnvironment& environment);

}  // namespace vantor::testing
