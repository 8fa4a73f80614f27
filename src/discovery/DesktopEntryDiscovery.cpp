#include "discovery/DesktopEntryDiscovery.h"

#include <algorithm>
#include <set>
#include <string_view>
#include <utility>

#include "base/Files.h"
#include "base/Text.h"
#include "discovery/FileAccess.h"
#include "discovery/GLibPointers.h"
#include "discovery/PathText.h"
#include "discovery/ProgramName.h"
#include "model/ApplicationSearchData.h"

namespace vantor {
namespace {

constexpr const char* desktopGroup = G_KEY_FILE_DESKTOP_GROUP;
// GLib has no constant for it.
constexpr const char* keywordsKey = "Keywords";
constexpr const char* actionsKey = "Actions";
constexpr std::string_view actionGroupPrefix = "Desktop Action ";
// Desktop entries are a few kilobytes; a larger file is not one.
constexpr std::size_t maxDesktopEntryBytes = 1024 * 1024;

struct Claim {
    std::size_t depth;
    std::string path;
};

// The locale of the first wanted language that translates the key, as GLib
// names it in the file. Translations are looked up with explicit locales, so
// the choice follows the rule above and not GLib's process-wide one (which,
// for one, honours LANGUAGE even under the C locale).
std::optional<std::string> translationLocale(GKeyFile* file, const char* key,
                                             const DesktopEntryEnvironment& env,
                                             const char* group = desktopGroup) {
    for (const std::string& language : env.languages) {
        GCharPtr locale(g_key_file_get_locale_for_key(file, group, key, language.c_str()));
        if (locale) {
            return std::string(locale.get());
        }
    }
    return std::nullopt;
}

std::optional<std::string> translatedString(GKeyFile* file, const char* key,
                                            const DesktopEntryEnvironment& env,
                                            const char* group = desktopGroup) {
    if (auto locale = translationLocale(file, key, env, group)) {
        GCharPtr value(g_key_file_get_locale_string(file, group, key, locale->c_str(), nullptr));
        if (value) {
            return std::string(value.get());
        }
    }
    return std::nullopt;
}

std::optional<std::string> untranslatedString(GKeyFile* file, const char* key,
                                              const char* group = desktopGroup) {
    GCharPtr value(g_key_file_get_string(file, group, key, nullptr));
    if (!value) {
        return std::nullopt;  // missing, or not valid UTF-8
    }
    return std::string(value.get());
}

// The localized Name for the first wanted language that has a translation,
// else the untranslated Name.
std::optional<std::string> localizedName(GKeyFile* file, const DesktopEntryEnvironment& env,
                                         const char* group = desktopGroup) {
    if (auto name = translatedString(file, G_KEY_FILE_DESKTOP_KEY_NAME, env, group)) {
        return name;
    }
    return untranslatedString(file, G_KEY_FILE_DESKTOP_KEY_NAME, group);
}

std::vector<std::string> stringList(GKeyFile* file, const char* key);

// The actions the entry lists, in its order; one whose group is missing or
// has no name is left out (nothing could be shown for it), and so is a
// repeat. Names follow the same language rules as the entry's own name.
std::vector<DesktopAction> desktopActionsOf(GKeyFile* file, const DesktopEntryEnvironment& env) {
    std::vector<DesktopAction> actions;
    for (std::string& id : stringList(file, actionsKey)) {
        std::string group = std::string(actionGroupPrefix) + id;
        bool repeated = std::any_of(actions.begin(), actions.end(),
                                    [&](const DesktopAction& action) { return action.id == id; });
        if (id.empty() || repeated || !g_key_file_has_group(file, group.c_str())) {
            continue;
        }
        std::optional<std::string> name = localizedName(file, env, group.c_str());
        if (!name || name->empty()) {
            continue;
        }
        std::string icon =
            untranslatedString(file, G_KEY_FILE_DESKTOP_KEY_ICON, group.c_str()).value_or("");
        actions.push_back({std::move(id), std::move(*name), std::move(icon)});
    }
    return actions;
}

std::vector<std::string> translatedList(GKeyFile* file, const char* key,
                                        const DesktopEntryEnvironment& env) {
    std::vector<std::string> values;
    if (auto locale = translationLocale(file, key, env)) {
        gsize count = 0;
        GStrvPtr list(g_key_file_get_locale_string_list(file, desktopGroup, key, locale->c_str(),
                                                        &count, nullptr));
        for (gsize i = 0; list && i < count; ++i) {
            values.emplace_back(list.get()[i]);
        }
    }
    return values;
}

std::vector<std::string> stringList(GKeyFile* file, const char* key) {
    gsize count = 0;
    GStrvPtr list(g_key_file_get_string_list(file, desktopGroup, key, &count, nullptr));
    std::vector<std::string> values;
    for (gsize i = 0; list && i < count; ++i) {
        values.emplace_back(list.get()[i]);
    }
    return values;
}

bool contains(const std::vector<std::string>& list, const std::string& value) {
    return std::find(list.begin(), list.end(), value) != list.end();
}

// OnlyShowIn and NotShowIn against the running desktops, as GIO weighs them:
// the first running desktop named in either list decides; when none is named,
// an entry is shown unless it has an OnlyShowIn list.
bool isForCurrentDesktops(GKeyFile* file, const DesktopEntryEnvironment& env) {
    const char* onlyKey = G_KEY_FILE_DESKTOP_KEY_ONLY_SHOW_IN;
    std::vector<std::string> onlyShowIn = stringList(file, onlyKey);
    std::vector<std::string> notShowIn = stringList(file, G_KEY_FILE_DESKTOP_KEY_NOT_SHOW_IN);
    for (const std::string& desktop : env.currentDesktops) {
        if (contains(onlyShowIn, desktop)) {
            return true;
        }
        if (contains(notShowIn, desktop)) {
            return false;
        }
    }
    return g_key_file_has_key(file, desktopGroup, onlyKey, nullptr) == FALSE;
}

bool hasCommand(GKeyFile* file) {
    GCharPtr exec(g_key_file_get_string(file, desktopGroup, G_KEY_FILE_DESKTOP_KEY_EXEC, nullptr));
    if (exec && exec.get()[0] != '\0') {
        return true;
    }
    // An entry started over D-Bus needs no command line.
    return g_key_file_get_boolean(file, desktopGroup, G_KEY_FILE_DESKTOP_KEY_DBUS_ACTIVATABLE,
                                  nullptr) != FALSE;
}

// What else the entry is found by: its names in other languages, its generic
// name and keywords, and the program it runs.
SearchFields searchFieldsOf(GKeyFile* file, const DesktopEntryEnvironment& env) {
    SearchFields fields;
    if (auto name = untranslatedString(file, G_KEY_FILE_DESKTOP_KEY_NAME)) {
        fields.names.push_back(std::move(*name));
    }
    const char* genericKey = G_KEY_FILE_DESKTOP_KEY_GENERIC_NAME;
    if (auto generic = untranslatedString(file, genericKey)) {
        fields.names.push_back(std::move(*generic));
    }
    fields.localizedGenericName = translatedString(file, genericKey, env).value_or("");
    for (std::string& keyword : stringList(file, keywordsKey)) {
        fields.names.push_back(std::move(keyword));
    }
    for (std::string& keyword : translatedList(file, keywordsKey, env)) {
        fields.names.push_back(std::move(keyword));
    }
    if (auto exec = untranslatedString(file, G_KEY_FILE_DESKTOP_KEY_EXEC)) {
        fields.program = programOfCommand(*exec);
    }
    return fields;
}

}  // namespace

std::optional<std::map<std::string, std::string>> desktopFilesByID(const std::string& folder) {
    std::optional<FolderListing> top = listFolder(folder, FinalLink::follow);
    if (!top) {
        return std::nullopt;
    }
    std::map<std::string, Claim> claims;
    // Sub-folders reached through links are entered, as GIO does, but each
    // folder only once, so a link loop ends.
    std::set<std::pair<dev_t, ino_t>> visited{{top->device, top->inode}};
    walkFolder(
        folder, std::move(*top), [&](const WalkedEntry& walked) -> std::optional<FolderListing> {
            const FolderEntry& entry = walked.entry;
            if (!isValidUtf8(entry.name, NulBytes::refused)) {
                return std::nullopt;
            }
            if (entry.name.ends_with(".desktop")) {
                std::string id(walked.relative);
                std::replace(id.begin(), id.end(), '/', '-');
                auto found = claims.find(id);
                if (found == claims.end() || walked.depth < found->second.depth) {
                    claims[id] = Claim{walked.depth, standardisePath(walked.path)};
                }
                return std::nullopt;
            }
            bool folderLike = entry.kind == FolderEntry::Kind::folder ||
                              (entry.kind == FolderEntry::Kind::link && isFolder(walked.path));
            if (!folderLike) {
                return std::nullopt;
            }
            std::optional<FolderListing> sub = listFolder(walked.path, FinalLink::follow);
            if (!sub || !visited.insert({sub->device, sub->inode}).second) {
                return std::nullopt;
            }
            return sub;
        });
    std::map<std::string, std::string> files;
    for (auto& [id, claim] : claims) {
        files.emplace(id, std::move(claim.path));
    }
    return files;
}

std::optional<ApplicationItem> loadDesktopEntry(const std::string& path,
                                                const DesktopEntryEnvironment& environment) {
    if (!isValidUtf8(path, NulBytes::refused)) {
        return std::nullopt;
    }
    std::optional<std::string> data = readRegularFile(path, maxDesktopEntryBytes);
    if (!data) {
        return std::nullopt;
    }
    KeyFilePtr file(g_key_file_new());
    // Every translation is kept: the name is chosen for the user's locale below,
    // not for the one GLib cached.
    if (!g_key_file_load_from_data(file.get(), data->data(), data->size(),
                                   G_KEY_FILE_KEEP_TRANSLATIONS, nullptr)) {
        return std::nullopt;
    }
    // GIO checks the group, Type=Application, and that TryExec and the program
    // of Exec are installed; it answers nothing otherwise.
    DesktopAppInfoPtr info(g_desktop_app_info_new_from_keyfile(file.get()));
    if (!info) {
        return std::nullopt;
    }
    if (g_desktop_app_info_get_is_hidden(info.get()) ||
        g_desktop_app_info_get_nodisplay(info.get()) ||
        !isForCurrentDesktops(file.get(), environment) || !hasCommand(file.get())) {
        return std::nullopt;
    }
    std::optional<std::string> name = localizedName(file.get(), environment);
    if (!name) {
        return std::nullopt;
    }
    SearchFields fields = searchFieldsOf(file.get(), environment);
    auto search = ApplicationSearchData::prepare(*name, std::move(fields));
    return ApplicationItem{path, std::move(*name), path, std::move(search),
                           desktopActionsOf(file.get(), environment)};
}

DiscoveredApplications discoverDesktopEntries(const std::vector<std::string>& folders,
                                              const DesktopEntryEnvironment& environment) {
    DiscoveredApplications result;
    std::set<std::string> claimedIDs;
    for (const std::string& folder : folders) {
        std::optional<std::map<std::string, std::string>> files = desktopFilesByID(folder);
        if (!files) {
            continue;
        }
        result.anyRootWalked = true;
        for (const auto& [id, path] : *files) {
            if (!claimedIDs.insert(id).second) {
                continue;  // shadowed by a folder before this one
            }
            if (std::optional<ApplicationItem> item = loadDesktopEntry(path, environment)) {
                result.applications.push_back(std::move(*item));
            }
        }
    }
    return result;
}

}  // namespace vantor
