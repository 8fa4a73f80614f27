#pragma once

#include <nlohmann/json.hpp>

#include "base/DefaultsStore.h"

namespace vantor {

// The settings object a stored text holds, or nothing when the text is not a
// JSON object or nests deeper than maxJsonNesting levels (the library would
// overflow the stack copying or saving it).
std::optional<nlohmann::ordered_json> parseDefaultsObject(std::string_view text);

// A defaults store over one JSON object: a string is a JSON string, an integer
// a JSON integer, a string array a JSON array of strings, bytes an object
// {"data": "<base64>"}. Members of other shapes or names are kept untouched.
class JsonDefaults : public DefaultsStore {
public:
    std::optional<std::vector<std::string>> stringArray(std::string_view key) const override;
    std::int64_t integer(std::string_view key) const override;
    std::optional<Bytes> data(std::string_view key) const override;
    std::optional<std::string> string(std::string_view key) const override;

    void setStringArray(std::string_view key, const std::vector<std::string>& value) override;
    void setInteger(std::string_view key, std::int64_t value) override;
    void setData(std::string_view key, const Bytes& value) override;
    void setString(std::string_view key, const std::string& value) override;

    const nlohmann::ordered_json& values() const { return values_; }

protected:
    void replaceValues(nlohmann::ordered_json values) { values_ = std::move(values); }
    // Called after every set, with the key that changed.
    virtual void didSet(std::string_view key) = 0;

private:
    const nlohmann::ordered_json* find(std::string_view key) const;
    void put(std::string_view key, nlohmann::ordered_json value);

    nlohmann::ordered_json values_ = nlohmann::ordered_json::object();
};

// Kept in memory only; counts its writes and flushes so a test can tell what
// was written and when the caller asked for it to be stored.
class MemoryDefaultsStore : public JsonDefaults {
public:
    MemoryDefaultsStore() = default;
    explicit MemoryDefaultsStore(nlohmann::ordered_json values) {
        replaceValues(std::move(values));
    }

    int writeCount() const { return static_cast<int>(writtenKeys_.size()); }
    const std::vector<std::string>& writtenKeys() const { return writtenKeys_; }
    void clearWrites() {
        writtenKeys_.clear();
        flushCount_ = 0;
    }
    void flush() override { ++flushCount_; }
    int flushCount() const { return flushCount_; }

protected:
    void didSet(std::string_view key) override { writtenKeys_.emplace_back(key); }

private:
    std::vector<std::string> writtenKeys_;
    int flushCount_ = 0;
};

}  // namespace vantor
