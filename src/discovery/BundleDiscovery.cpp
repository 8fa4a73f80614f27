#include "discovery/BundleDiscovery.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <optional>
#include <unordered_set>

#include "base/Text.h"
#include "discovery/FileAccess.h"
#include "discovery/InfoPlist.h"
#include "discovery/PathText.h"
#include "model/ApplicationSearchData.h"

namespace vantor {
namespace {

// Folders with these extensions are opaque packages: bundles of programs,
// plug-ins and libraries whose insides are not applications of their own.
constexpr std::array<std::string_view, 16> packageExtensions = {
    "app",   "appex",      "bundle",          "component", "framework",
    "kext",  "mdimporter", "plugin",          "prefpane",  "qlgenerator",
    "saver", "service",    "systemextension", "wdgt",      "xpc",
    "docset"};

bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

// The name a file browser would show: on this desktop, the file name without
// its extension, for anything that exists.
std::optional<std::string> localizedName(const std::string& path) {
    if (!pathExists(path)) {
        return std::nullopt;
    }
    return std::string(fileStem(path));
}

bool isPackageFolder(const std::string& path, const std::string& name) {
    return hasPackageExtension(name) || pathExists(path + "/Contents/Info.plist");
}

class BundleWalk {
public:
    // Walks one root; false when nothing is there or it cannot be opened.
    bool walkRoot(const std::string& root) {
        if (!pathExists(root)) {
            return false;
        }
        // The root itself may be a link (for example to another disk).
        std::optional<FolderListing> listing = listFolder(root, FinalLink::follow);
        if (!listing) {
            return false;
        }
        walkFolder(root, std::move(*listing),
                   [this](const WalkedEntry& walked) { return visit(walked); });
        return true;
    }

    std::vector<ApplicationItem> takeApplications() { return std::move(applications_); }

private:
    std::optional<FolderListing> visit(const WalkedEntry& walked) {
        const std::string& name = walked.entry.name;
        if (name.starts_with('.') || !isValidUtf8(name, NulBytes::refused)) {
            return std::nullopt;  // hidden, or a name that would not survive as an id
        }
        if (pathExtension(name) == "app") {
            take(walked.path);  // whatever it is: folder, file or link
            return std::nullopt;
        }
        if (walked.entry.kind != FolderEntry::Kind::folder || isPackageFolder(walked.path, name)) {
            return std::nullopt;
        }
        return listFolder(walked.path, FinalLink::refuse);
    }

    void take(const std::string& path) {
        std::string standard = standardisePath(path);
        if (!isValidUtf8(standard, NulBytes::refused)) {
            return;
        }
        // Ids are compared by canonical equivalence, so two spellings of one
        // name would be one application to the model: keep the first.
        if (!taken_.insert(CanonicalString(standard)).second) {
            return;
        }
        applications_.push_back(makeBundleItem(standard));
    }

    std::unordered_set<CanonicalString> taken_;
    std::vector<ApplicationItem> applications_;
};

}  // namespace

bool hasPackageExtension(const std::string& name) {
    std::string_view extension = pathExtension(name);
    return std::any_of(
        packageExtensions.begin(), packageExtensions.end(),
        [&](std::string_view known) { return equalsIgnoringAsciiCase(extension, known); });
}

ApplicationItem makeBundleItem(const std::string& standardPath) {
    // Every source is read, whichever ends up used.
    BundleInfo names = readBundleInfo(standardPath);
    std::optional<std::string> shownName = localizedName(standardPath);
    std::string name;
    if (names.displayName) {
        name = *names.displayName;  // present means present, even when empty
    } else if (names.bundleName) {
        name = *names.bundleName;
    } else if (shownName) {
        name = *shownName;
    } else {
        name = std::string(fileStem(standardPath));
    }
    // Also found by its own name and its file's, where the shown one differs.
    SearchFields fields;
    if (names.bundleName) {
        fields.names.push_back(*names.bundleName);
    }
    fields.names.emplace_back(fileStem(standardPath));
    auto search = ApplicationSearchData::prepare(name, std::move(fields));
    return ApplicationItem{standardPath, std::move(name), standardPath, std::move(search)};
}

DiscoveredApplications discoverBundles(const std::vector<std::string>& roots) {
    DiscoveredApplications result;
    BundleWalk walk;
    for (const std::string& root : roots) {
        if (walk.walkRoot(root)) {
            result.anyRootWalked = true;
        }
    }
    result.applications = walk.takeApplications();
    return result;
}

}  // namespace vantor
