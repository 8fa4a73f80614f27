#include "fuzz/FuzzTargets.h"

#include <plist/plist.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "discovery/DesktopEntryDiscovery.h"
#include "discovery/InfoPlist.h"
#include "discovery/PathText.h"
#include "discovery/PlistNesting.h"
#include "hotcorner/HotCorner.h"
#include "model/LauncherModel.h"
#include "model/VantorFolder.h"
#include "platform/JsonDefaults.h"

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

// What the program does with folders, order and hidden applications it
// reads: install a scan against them, list the grid, search it, and edit the
// first folder and the first application the way a user can.
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

// How many containers deep the reader's tree goes, walked without recursion.
std::size_t treeDepth(plist_t root) {
    std::vector<std::pair<plist_t, std::size_t>> pending{{root, 1}};
    std::size_t deepest = 0;
    while (!pending.empty()) {
        auto [node, depth] = pending.back();
        pending.pop_back();
        plist_type type = plist_get_node_type(node);
        if (type == PLIST_ARRAY) {
            for (uint32_t i = 0; i < plist_array_get_size(node); ++i) {
                pending.emplace_back(plist_array_get_item(node, i), depth + 1);
            }
        } else if (type == PLIST_DICT) {
            plist_dict_iter iterator = nullptr;
            plist_dict_new_iter(node, &iterator);
            while (true) {
                // Values only: reading a key holding a NUL trips an assertion in the reader.
                plist_t value = nullptr;
                plist_dict_next_item(node, iterator, nullptr, &value);
                if (value == nullptr) {
                    break;
                }
                pending.emplace_back(value, depth + 1);
            }
            std::free(iterator);
        } else {
            continue;
        }
        deepest = std::max(deepest, depth);
    }
    return deepest;
}

// The depth check's promise, tried where the reader can be asked without
// risk: at a depth of a few levels, whatever it lets through the reader
// builds no deeper.
void checkNestingAgainstReader(std::string_view bytes) {
    constexpr std::size_t smallDepth = 3;
    if (bytes.empty() || !plistNestingWithin(bytes, smallDepth)) {
        return;
    }
    plist_t parsed = nullptr;
    auto size = static_cast<uint32_t>(bytes.size());
    if (isBinaryPlist(bytes)) {
        plist_from_bin(bytes.data(), size, &parsed);
    } else {
        plist_from_xml(bytes.data(), size, &parsed);
    }
    if (parsed != nullptr) {
        require(treeDepth(parsed) <= smallDepth, "the reader nests no deeper than the check let");
        plist_free(parsed);
    }
}

}  // namespace

int fuzzInfoPlist(const std::uint8_t* data, std::size_t size) {
    checkNestingAgainstReader(bytesOf(data, size));
    if (std::optional<BundleNames> names = parseInfoPlist(bytesOf(data, size))) {
        require(isValidUtf8(names->displayName.value_or("")), "display name is UTF-8");
        require(isValidUtf8(names->bundleName.value_or("")), "bundle name is UTF-8");
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
            require(isValidUtf8(item->name), "an entry's name is UTF-8");
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
