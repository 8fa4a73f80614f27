#include "model/NewApplications.h"

#include <nlohmann/json.hpp>

namespace vantor {

NewApplications NewApplications::decode(const std::optional<std::string>& stored) {
    NewApplications result;
    if (!stored) {
        return result;
    }
    result.tracking_ = true;
    auto parsed = nlohmann::json::parse(*stored, nullptr, false);
    if (!parsed.is_object()) {
        return result;
    }
    for (const auto& [id, seen] : parsed.items()) {
        if (seen.is_number_integer()) {
            CanonicalString canonicalID(id);
            std::string key = canonicalID.canonical();
            result.marks_.emplace(std::move(key),
                                  Mark{std::move(canonicalID), seen.get<std::int64_t>()});
        }
    }
    return result;
}

std::string NewApplications::encode() const {
    auto object = nlohmann::json::object();
    for (const auto& [canonical, mark] : marks_) {
        object[mark.id.raw()] = mark.seen;
    }
    return object.dump();
}

bool NewApplications::isNew(const CanonicalString& id, std::int64_t now) const {
    auto found = marks_.find(id.canonical());
    return found != marks_.end() && now - found->second.seen < markedSeconds;
}

bool NewApplications::forget(const CanonicalString& id) {
    return marks_.erase(id.canonical()) > 0;
}

}  // namespace vantor
