#include "model/VantorFolder.h"

#include <nlohmann/json.hpp>

#include "base/JsonNesting.h"
#include "model/HashCombine.h"

namespace vantor {

std::size_t hashFolderFields(const VantorFolder& folder, std::size_t seed) {
    hashCombineValue(seed, folder.id);
    hashCombineValue(seed, folder.name);
    hashCombineValue(seed, folder.applicationIDs.size());
    for (const auto& applicationID : folder.applicationIDs) {
        hashCombineValue(seed, applicationID);
    }
    return seed;
}

std::optional<std::string> encodeFolders(const std::vector<VantorFolder>& folders) {
    nlohmann::ordered_json array = nlohmann::ordered_json::array();
    for (const auto& folder : folders) {
        nlohmann::ordered_json ids = nlohmann::ordered_json::array();
        for (const auto& applicationID : folder.applicationIDs) {
            ids.push_back(applicationID.raw());
        }
        nlohmann::ordered_json object = nlohmann::ordered_json::object();
        object["id"] = folder.id.raw();
        object["name"] = folder.name.raw();
        object["applicationIDs"] = std::move(ids);
        array.push_back(std::move(object));
    }
    try {
        return array.dump();
    } catch (const nlohmann::json::exception&) {
        return std::nullopt;  // a text that is not UTF-8 cannot be stored as JSON
    }
}

std::optional<std::vector<VantorFolder>> decodeFolders(std::string_view json) {
    if (!jsonNestingWithin(json)) {
        return std::nullopt;
    }
    nlohmann::json parsed = nlohmann::json::parse(json, nullptr, /*allow_exceptions=*/false);
    if (!parsed.is_array()) {
        return std::nullopt;
    }
    std::vector<VantorFolder> folders;
    folders.reserve(parsed.size());
    for (const auto& element : parsed) {
        if (!element.is_object()) {
            return std::nullopt;
        }
        auto id = element.find("id");
        auto name = element.find("name");
        auto ids = element.find("applicationIDs");
        if (id == element.end() || !id->is_string() || name == element.end() ||
            !name->is_string() || ids == element.end() || !ids->is_array()) {
            return std::nullopt;
        }
        VantorFolder folder{id->get<std::string>(), name->get<std::string>(), {}};
        for (const auto& applicationID : *ids) {
            if (!applicationID.is_string()) {
                return std::nullopt;
            }
            folder.applicationIDs.emplace_back(applicationID.get<std::string>());
        }
        folders.push_back(std::move(folder));
    }
    return folders;
}

}  // namespace vantor
