#include "base/JsonDefaults.h"

#include <limits>

#include "base/Base64.h"
#include "base/JsonNesting.h"

namespace vantor {

std::optional<nlohmann::ordered_json> parseDefaultsObject(std::string_view text) {
    if (!jsonNestingWithin(text)) {
        return std::nullopt;
    }
    auto parsed = nlohmann::ordered_json::parse(text, nullptr, /*allow_exceptions=*/false);
    if (!parsed.is_object()) {
        return std::nullopt;
    }
    return parsed;
}

const nlohmann::ordered_json* JsonDefaults::find(std::string_view key) const {
    auto it = values_.find(std::string(key));
    return it == values_.end() ? nullptr : &*it;
}

void JsonDefaults::put(std::string_view key, nlohmann::ordered_json value) {
    values_[std::string(key)] = std::move(value);
    didSet(key);
}

std::optional<std::vector<std::string>> JsonDefaults::stringArray(std::string_view key) const {
    const auto* value = find(key);
    if (value == nullptr || !value->is_array()) {
        return std::nullopt;
    }
    std::vector<std::string> strings;
    strings.reserve(value->size());
    for (const auto& element : *value) {
        if (!element.is_string()) {
            return std::nullopt;
        }
        strings.push_back(element.get<std::string>());
    }
    return strings;
}

std::int64_t JsonDefaults::integer(std::string_view key) const {
    const auto* value = find(key);
    if (value == nullptr) {
        return 0;
    }
    if (value->is_number_unsigned()) {
        auto number = value->get<std::uint64_t>();
        return number > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max())
                   ? 0
                   : static_cast<std::int64_t>(number);
    }
    if (value->is_number_integer()) {
        return value->get<std::int64_t>();
    }
    return 0;
}

std::optional<Bytes> JsonDefaults::data(std::string_view key) const {
    const auto* value = find(key);
    if (value == nullptr || !value->is_object()) {
        return std::nullopt;
    }
    auto encoded = value->find("data");
    if (encoded == value->end() || !encoded->is_string() || value->size() != 1) {
        return std::nullopt;
    }
    return decodeBase64(encoded->get_ref<const std::string&>());
}

std::optional<std::string> JsonDefaults::string(std::string_view key) const {
    const auto* value = find(key);
    if (value == nullptr || !value->is_string()) {
        return std::nullopt;
    }
    return value->get<std::string>();
}

void JsonDefaults::setStringArray(std::string_view key, const std::vector<std::string>& value) {
    put(key, nlohmann::ordered_json(value));
}

void JsonDefaults::setInteger(std::string_view key, std::int64_t value) {
    put(key, nlohmann::ordered_json(value));
}

void JsonDefaults::setData(std::string_view key, const Bytes& value) {
    put(key, nlohmann::ordered_json{{"data", encodeBase64(value)}});
}

void JsonDefaults::setString(std::string_view key, const std::string& value) {
    put(key, nlohmann::ordered_json(value));
}

}  // namespace vantor
