#pragma once

#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "model/CanonicalString.h"

namespace vantor {

// How often each application was started from the launcher, recently
// weighted: every launch adds 1 to its score, and a score halves every 30
// days. Stored as a JSON array of {"id", "score", "at"} ("at" in Unix seconds,
// the time the score was last brought up to date).
class LaunchHistory {
public:
    static constexpr std::int64_t halfLifeSeconds = 30 * 24 * 60 * 60;
    // Beyond this the least used are forgotten.
    static constexpr std::size_t capacity = 500;

    struct Entry {
        CanonicalString id;
        double score = 0;
        std::int64_t at = 0;
    };

    LaunchHistory() = default;
    // The stored form; anything that is not a well-formed history reads as
    // an empty one, which the next launch replaces.
    static LaunchHistory decode(std::string_view json);
    std::string encode() const;

    void recordLaunch(const CanonicalString& applicationID, std::int64_t now);
    // The score at `now`: 0 for an application never launched.
    double score(const CanonicalString& applicationID, std::int64_t now) const;
    // Orders applications as their scores do at any one moment (higher is
    // used more), without a clock: log2(score) + at / half-life. Lowest for
    // an application never launched.
    double rank(const CanonicalString& applicationID) const;

    const std::vector<Entry>& entries() const { return entries_; }

private:
    static double rankOf(const Entry& entry);
    void reindex();

    std::vector<Entry> entries_;
    std::unordered_map<std::string, std::size_t> indexByID_;  // by canonical id
};

inline constexpr double neverLaunchedRank = -std::numeric_limits<double>::infinity();

}  // namespace vantor
