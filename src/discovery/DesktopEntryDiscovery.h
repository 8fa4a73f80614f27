#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "discovery/BundleDiscovery.h"
#include "discovery/DesktopEntryEnvironment.h"
#include "model/ApplicationItem.h"

namespace vantor {

// The desktop files of one "applications" folder by desktop-file id: a file
// at sub/name.desktop has the id "sub-name.desktop". Nothing when the folder
// cannot be opened. Where two files claim one id inside the folder, the one
// nearer the top wins, then the first by name.
std::optional<std::map<std::string, std::string>> desktopFilesByID(const std::string& folder);

// The entries to show from the folders, highest priority first. The first
// folder that has a file for an id owns that id: a file there that is hidden or
// broken hides the files of the same id in the folders after it.
DiscoveredApplications discoverDesktopEntries(const std::vector<std::string>& folders,
                                              const DesktopEntryEnvironment& environment);

// The item for one desktop file, or nothing when it is not an application to
// show here: unreadable, not an application, hidden, not for this desktop, its
// program not installed, or without a name or a command.
std::optional<ApplicationItem> loadDesktopEntry(const std::string& path,
                                                const DesktopEntryEnvironment& environment);

}  // namespace vantor
