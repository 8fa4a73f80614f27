#include "base/ReducedMotion.h"

#include <gio/gio.h>

#include <charconv>
#include <string>
#include <vector>

#include "base/Files.h"
#include "base/Text.h"
#include "base/XdgEnvironment.h"

namespace vantor {
namespace {

constexpr const char* gnomeInterfaceSchema = "org.gnome.desktop.interface";

// GNOME's switch, when its schema is installed. g_settings_new aborts the
// program on a schema it does not know, so the schema is looked up first.
std::optional<bool> gnomeAnimationsOff() {
    GSettingsSchemaSource* source = g_settings_schema_source_get_default();
    if (source == nullptr) {
        return std::nullopt;
    }
    GSettingsSchema* schema = g_settings_schema_source_lookup(source, gnomeInterfaceSchema, TRUE);
    if (schema == nullptr) {
        return std::nullopt;
    }
    std::optional<bool> off;
    if (g_settings_schema_has_key(schema, "enable-animations")) {
        GSettings* settings = g_settings_new_full(schema, nullptr, nullptr);
        off = g_settings_get_boolean(settings, "enable-animations") == FALSE;
        g_object_unref(settings);
    }
    g_settings_schema_unref(schema);
    return off;
}

std::vector<std::string> kdeglobalsFiles() {
    std::vector<std::string> folders;
    std::string configHome = absolutePathVariable("XDG_CONFIG_HOME");
    if (configHome.empty() && !homeFolder().empty()) {
        configHome = homeFolder() + "/.config";
    }
    if (!configHome.empty()) {
        folders.push_back(configHome);
    }
    for (auto& folder : absolutePathList("XDG_CONFIG_DIRS", "/etc/xdg")) {
        folders.push_back(std::move(folder));
    }
    for (auto& folder : folders) {
        folder += "/kdeglobals";
    }
    return folders;
}

}  // namespace

std::optional<bool> kdeAnimationsOff(std::string_view kdeglobals) {
    bool inKdeGroup = false;
    std::optional<bool> off;
    for (std::string_view line : splitOn(kdeglobals, '\n', EmptyParts::drop)) {
        line = trimmed(line, " \t\r");
        if (line.starts_with('[')) {
            // "[KDE]", or "[KDE][$i]" for a group locked by the administrator.
            inKdeGroup = line == "[KDE]" || line.starts_with("[KDE][");
            continue;
        }
        auto equals = line.find('=');
        if (!inKdeGroup || equals == std::string_view::npos) {
            continue;
        }
        std::string_view key = trimmed(line.substr(0, equals), " \t");
        // "AnimationDurationFactor[$i]": a key locked by the administrator.
        key = key.substr(0, key.find('['));
        if (key != "AnimationDurationFactor") {
            continue;
        }
        std::string_view value = trimmed(line.substr(equals + 1), " \t");
        double factor = 1;
        auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), factor);
        if (error == std::errc() && end == value.data() + value.size()) {
            off = factor == 0;  // the last one in the group counts, as in KDE's reader
        }
    }
    return off;
}

bool desktopPrefersReducedMotion() {
    if (environmentVariable("VANTOR_REDUCE_MOTION") == "1") {
        return true;
    }
    if (gnomeAnimationsOff().value_or(false)) {
        return true;
    }
    // The first file that says anything decides: the user's overrides the system's.
    for (const auto& path : kdeglobalsFiles()) {
        auto text = readRegularFile(path, 1 << 20);
        if (auto off = text ? kdeAnimationsOff(*text) : std::nullopt) {
            return *off;
        }
    }
    return false;
}

}  // namespace vantor
