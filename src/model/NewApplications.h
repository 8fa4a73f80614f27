#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "model/CanonicalString.h"

namespace vantor {

// The applications that came after the launcher already knew the installed
// ones, with the time each was first seen, until opened or a week old. Stored
// as a JSON object {"<application id>": <Unix seconds>}. Before anything was
// stored (the first run, or a settings file of an older version) nothing is
// tracked: every application would count as new.
class NewApplications {
public:
    static constexpr std::int64_t markedSeconds = 7 * 24 * 60 * 60;

    // The stored form; nothing stored reads as not tracking yet, anything
    // malformed as tracking with nothing new (a mark is not worth an error).
    static NewApplications decode(const std::optional<std::string>& stored);
    std::string encode() const;

    bool isTracking() const { return tracking_; }
    // Whether `id` is marked at `now`.
    bool isNew(const CanonicalString& id, std::int64_t now) const;

    // After a scan: `added` are the applications the launcher did not know
    // before it. While tracking they are marked from `now`; the first scan
    // starts tracking instead. Marks older than a week, or of applications
    // no longer kept (`isKept`), are dropped. True when anything changed.
    template <typename IsKept>
    bool noteScan(const std::vector<CanonicalString>& added, std::int64_t now, IsKept isKept);
    // Opened: no longer new. True when it was marked.
    bool forget(const CanonicalString& id);

private:
    struct Mark {
        CanonicalString id;
        std::int64_t seen = 0;  // Unix seconds
    };
    bool tracking_ = false;
    std::unordered_map<std::string, Mark> marks_;  // by canonical id
};

template <typename IsKept>
bool NewApplications::noteScan(const std::vector<CanonicalString>& added, std::int64_t now,
                               IsKept isKept) {
    bool changed = std::erase_if(marks_, [&](const auto& entry) {
                       return now - entry.second.seen >= markedSeconds || !isKept(entry.second.id);
                   }) > 0;
    if (!tracking_) {
        tracking_ = true;
        return true;
    }
    for (const auto& id : added) {
        changed |= marks_.emplace(id.canonical(), Mark{id, now}).second;
    }
    return changed;
}

}  // namespace vantor
