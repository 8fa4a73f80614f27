#include "DiscoveryFixtures.h"

#include <plist/plist.h>

namespace vantor::testing {

std::string makeBundle(const TempTree& tree, const std::string& relative,
                       const std::map<std::string, PlistValue>& values, PlistFormat format) {
    plist_t dict = plist_new_dict();
    for (const auto& [key, value] : values) {
        switch (value.kind) {
            case PlistValue::Kind::string:
                plist_dict_set_item(dict, key.c_str(), plist_new_string(value.text.c_str()));
                break;
            case PlistValue::Kind::integer:
                plist_dict_set_item(dict, key.c_str(), plist_new_uint(42));
                break;
            case PlistValue::Kind::dictionary:
                plist_dict_set_item(dict, key.c_str(), plist_new_dict());
                break;
        }
    }
    char* data = nullptr;
    uint32_t length = 0;
    if (format == PlistFormat::xml) {
        plist_to_xml(dict, &data, &length);
    } else {
        plist_to_bin(dict, &data, &length);
    }
    std::string contents(data, length);
    if (format == PlistFormat::xml) {
        plist_to_xml_free(data);
    } else {
        plist_to_bin_free(data);
    }
    plist_free(dict);
    tree.file(relative + "/Contents/Info.plist", contents);
    return tree.path(relative);
}

std::string desktopEntry(const std::string& name, const std::string& extraLines) {
    return "[Desktop Entry]\nType=Application\nName=" + name + "\nExec=true %U\n" + extraLines;
}

std::vector<std::string> namesOf(const std::vector<ApplicationItem>& applications) {
    std::vector<std::string> names;
    for (const ApplicationItem& application : applications) {
        names.push_back(application.name);
    }
    return names;
}

std::vector<std::string> idsOf(const std::vector<ApplicationItem>& applications) {
    std::vector<std::string> ids;
    for (const ApplicationItem& application : applications) {
        ids.push_back(application.id.raw());
    }
    return ids;
}

void neutraliseEnvironment(ScopedEnvironment& environment) {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LC_COLLATE", "LANGUAGE",
                             "XDG_CURRENT_DESKTOP", "XDG_DATA_HOME", "XDG_DATA_DIRS"}) {
        environment.unset(name);
    }
    environment.set("LANG", "C.UTF-8");
}

}  // namespace vantor::testing
