#include "model/LaunchHistory.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cmath>

namespace vantor {

LaunchHistory LaunchHistory::decode(std::string_view json) {
    auto parsed = nlohmann::json::parse(json, nullptr, false);
    if (!parsed.is_array()) {
        return {};
    }
    LaunchHistory history;
    for (const auto& element : parsed) {
        if (!element.is_object()) {
            return {};
        }
        auto id = element.find("id");
        auto score = element.find("score");
        auto at = element.find("at");
        if (id == element.end() || !id->is_string() || id->get<std::string>().empty() ||
            score == element.end() || !score->is_number() || at == element.end() ||
            !at->is_number_integer()) {
            return {};
        }
        double value = score->get<double>();
        if (!std::isfinite(value) || value <= 0) {
            return {};
        }
        CanonicalString applicationID(id->get<std::string>());
        if (history.indexByID_.count(applicationID.canonical()) != 0) {
            return {};  // one application twice: not a history this program wrote
        }
        history.indexByID_.emplace(applicationID.canonical(), history.entries_.size());
        history.entries_.push_back({std::move(applicationID), value, at->get<std::int64_t>()});
    }
    if (history.entries_.size() > capacity) {
        return {};
    }
    return history;
}

std::string LaunchHistory::encode() const {
    nlohmann::ordered_json array = nlohmann::ordered_json::array();
    for (const Entry& entry : entries_) {
        array.push_back({{"id", entry.id.raw()}, {"score", entry.score}, {"at", entry.at}});
    }
    // Ids are paths that may not be valid UTF-8; such bytes are replaced, not refused.
    return array.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
}

double LaunchHistory::score(const CanonicalString& applicationID, std::int64_t now) const {
    auto found = indexByID_.find(applicationID.canonical());
    if (found == indexByID_.end()) {
        return 0;
    }
    const Entry& entry = entries_[found->second];
    double elapsed = static_cast<double>(now - entry.at);
    // A clock set back does not make a score grow.
    return entry.score * std::exp2(-std::max(elapsed, 0.0) / halfLifeSeconds);
}

double LaunchHistory::rankOf(const Entry& entry) {
    return std::log2(entry.score) + static_cast<double>(entry.at) / halfLifeSeconds;
}

double LaunchHistory::rank(const CanonicalString& applicationID) const {
    if (entries_.empty()) {
        return neverLaunchedRank;  // spares hashing every result of every keystroke
    }
    auto found = indexByID_.find(applicationID.canonical());
    return found == indexByID_.end() ? neverLaunchedRank : rankOf(entries_[found->second]);
}

void LaunchHistory::recordLaunch(const CanonicalString& applicationID, std::int64_t now) {
    double current = score(applicationID, now);
    auto found = indexByID_.find(applicationID.canonical());
    if (found != indexByID_.end()) {
        Entry& entry = entries_[found->second];
        entry.score = current + 1;
        entry.at = std::max(now, entry.at);
        return;
    }
    entries_.push_back({applicationID, 1, now});
    if (entries_.size() > capacity) {
        // The least used of the others goes: the one just launched is remembered.
        auto lowest =
            std::min_element(entries_.begin(), entries_.end() - 1,
                             [](const Entry& a, const Entry& b) { return rankOf(a) < rankOf(b); });
        entries_.erase(lowest);
    }
    reindex();
}

void LaunchHistory::reindex() {
    indexByID_.clear();
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        indexByID_.emplace(entries_[i].id.canonical(), i);
    }
}

}  // namespace vantor
