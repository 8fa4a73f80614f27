#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantor {

using Bytes = std::string;  // raw bytes, not necessarily text

// The per-user key-value store that holds everything Vantor remembers. A read
// of a missing key, or of a value of another shape, gives nothing (0 for the
// integer read). Every set replaces the value at once and lasts across
// restarts; it reaches the disk a little later.
class DefaultsStore {
public:
    virtual ~DefaultsStore() = default;

    virtual std::optional<std::vector<std::string>> stringArray(std::string_view key) const = 0;
    virtual std::int64_t integer(std::string_view key) const = 0;
    virtual std::optional<Bytes> data(std::string_view key) const = 0;
    virtual std::optional<std::string> string(std::string_view key) const = 0;

    virtual void setStringArray(std::string_view key, const std::vector<std::string>& value) = 0;
    virtual void setInteger(std::string_view key, std::int64_t value) = 0;
    virtual void setData(std::string_view key, const Bytes& value) = 0;
    virtual void setString(std::string_view key, const std::string& value) = 0;

    // Starts storing every set so far now, and returns at once: no caller
    // waits for the disk, nor for another process holding the file. What
    // cannot be stored yet stays in memory and is tried again.
    virtual void flush() {}
};

// The keys Vantor stores, in one place.
namespace defaults_keys {
inline constexpr std::string_view itemOrder = "VantorItemOrder";
inline constexpr std::string_view applicationOrder = "VantorApplicationOrder";
inline constexpr std::string_view pageSize = "VantorPageSize";
inline constexpr std::string_view folders = "VantorFolders";
inline constexpr std::string_view hiddenApplications = "VantorHiddenApplications";
inline constexpr std::string_view hotCorner = "HotCorner";
inline constexpr std::string_view launchHistory = "VantorLaunchHistory";
inline constexpr std::string_view newApplications = "VantorNewApplications";
inline constexpr std::string_view arrangement = "VantorArrangement";
}  // namespace defaults_keys

}  // namespace vantor
