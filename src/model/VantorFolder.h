#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "model/CanonicalString.h"

namespace vantor {

// A folder the user made by dropping one application onto another.
struct VantorFolder {
    CanonicalString id;
    CanonicalString name;
    std::vector<CanonicalString> applicationIDs;

    friend bool operator==(const VantorFolder&, const VantorFolder&) = default;
};

std::size_t hashFolderFields(const VantorFolder& folder, std::size_t seed);

// The stored form: a compact JSON array of {"id", "name", "applicationIDs"}
// objects. Encoding fails (nothing) when a text is not valid UTF-8.
std::optional<std::string> encodeFolders(const std::vector<VantorFolder>& folders);
// All folders or nothing: one malformed element fails the whole list.
std::optional<std::vector<VantorFolder>> decodeFolders(std::string_view json);

}  // namespace vantor

template <>
struct std::hash<vantor::VantorFolder> {
    std::size_t operator()(const vantor::VantorFolder& folder) const noexcept {
        return vantor::hashFolderFields(folder, 0);
    }
};
