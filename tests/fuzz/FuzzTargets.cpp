#include "fuzz/FuzzTargets.h"

#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "base/JsonDefaults.h"
#include "base/Text.h"
#include "discovery/DesktopEntryDiscovery.h"
#include "discovery/InfoPlist.h"
#include "hotcorner/HotCorner.h"
#include "model/LauncherModel.h"
#include "model/VantorFolder.h"

namespace vantor::fuzz {
namespace {

std::string_view bytesOf(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

void require(bool condition, const char* promise) {
    if (!condition) {
        std::fprintf(stderr, "fuzz: broken promise: %s\n", promise);
        std::abort();
    }
}

const auto isKeptText = [](std::string_view text) { return isValidUtf8(text, NulBytes::refused); };

// One folder for the whole run, removed when the process ends normally.
struct ScratchFolder {
    ScratchFolder() { require(::mkdtemp(path.data()) != nullptr, "a scratch folder can be made"); }
    ~ScratchFolder() {
        std::error_code error;
        std::filesystem::remove_all(path, error);
    }
    std::string path = std::filesystem::temp_directory_path() / "vantor-fuzz-XXXXXX";
};

// Installed applications whose ids the folder corpus uses.
std::vector<ApplicationItem> sampleApplications() {
    return {{"/a.app", "Alpha", "/a.app"},
            {"/b.app", "Beta", "/b.app"},
            {"/c.app", "终端", "/c.app"},
            {"/d.desktop", "Delta", "/d.desktop"}};
}

// What the program does with the folders, order and hidden apps it reads: install a scan, list
// the grid, search it, and edit the first folder and the first application as a user can.
void exerciseModel(DefaultsStore& store) {
    LauncherModel model(store);
    model.applyScanResult(sampleApplications());
    model.topLevelItems();
    model.setQuery("a");
    model.filteredItems();
    model.setQuery("");
    model.hiddenApplications();
    CanonicalString first = sampleApplications().front().id;
    model.hideApplication(first);
    model.showApplication(first);
    if (model.folders().empty()) {
        return;
    }
    VantorFolder folder = model.folders().front();
    model.folderItem(folder.id);
    if (folder.applicationIDs.size() >= 2) {
        model.moveApplicationInFolder(folder.id, folder.applicationIDs.back(),
                                      folder.applicationIDs.front());
        model.moveApplicationToFolderEnd(folder.id, folder.applicationIDs.front());
    }
    if (!folder.applicationIDs.empty()) {
        model.takeApplicationOutOfFolder(folder.id, folder.applicationIDs.front());
    }
    model.dissolveFolder(folder.id);
    model.topLevelItems();
}

}  // namespace

int fuzzInfoPlist(const std::uint8_t* data, std::size_t size) {
    if (std::optional<BundleInfo> names = parseInfoPlist(bytesOf(data, size))) {
        require(isKeptText(names->displayName.value_or("")), "display name is UTF-8");
        require(isKeptText(names->bundleName.value_or("")), "bundle name is UTF-8");
        std::string icon = names->iconFile.value_or("icon");
        require(isKeptText(icon) && icon.find('/') == std::string::npos && icon != "..",
                "the icon is a file in the bundle's own folder");
    }
    return 0;
}

int fuzzDesktopEntry(const std::uint8_t* data, std::size_t size) {
    static const ScratchFolder folder;
    static const std::string path = folder.path + "/fuzz.desktop";
    {
        std::ofstream file(path, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
        require(static_cast<bool>(file), "the entry can be written");
    }
    const DesktopEntryEnvironment environments[] = {
        {},
        {{"zh_CN.UTF-8", "de_DE@euro", "pt_BR"}, {"GNOME", "KDE"}},
    };
    for (const DesktopEntryEnvironment& environment : environments) {
        if (std::optional<ApplicationItem> item = loadDesktopEntry(path, environment)) {
            require(item->id.raw() == path && item->url == path, "an entry's id is its path");
            require(isKeptText(item->name), "an entry's name is UTF-8");
        }
    }
    return 0;
}

int fuzzSettings(const std::uint8_t* data, std::size_t size) {
    std::optional<nlohmann::ordered_json> values = parseDefaultsObject(bytesOf(data, size));
    if (!values) {
        return 0;
    }
    MemoryDefaultsStore store(*values);
    for (std::string_view key :
         {defaults_keys::itemOrder, defaults_keys::applicationOrder, defaults_keys::pageSize,
          defaults_keys::folders, defaults_keys::hiddenApplications, defaults_keys::hotCorner}) {
        store.stringArray(key);
        store.integer(key);
        store.data(key);
        store.string(key);
    }
    if (auto corner = store.string(defaults_keys::hotCorner)) {
        hotCornerFromRawValue(*corner);
    }
    exerciseModel(store);
    // Whatever was read must be written back as it was: nothing lost on save.
    std::optional<nlohmann::ordered_json> again;
    try {
        again = parseDefaultsObject(store.values().dump(2));
    } catch (const nlohmann::json::exception&) {
        require(false, "settings read can be saved");
    }
    require(again == store.values(), "saved settings read back the same");
    return 0;
}

int fuzzFolders(const std::uint8_t* data, std::size_t size) {
    std::optional<std::vector<VantorFolder>> folders = decodeFolders(bytesOf(data, size));
    if (!folders) {
        return 0;
    }
    std::optional<std::string> encoded = encodeFolders(*folders);
    require(encoded.has_value(), "decoded folders can be encoded");
    require(decodeFolders(*encoded) == folders, "encoded folders decode the same");

    MemoryDefaultsStore store;
    store.setData(defaults_keys::folders, *encoded);
    exerciseModel(store);
    return 0;
}

}  // namespace vantor::fuzz
