#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace vantor {

// A string that compares by Unicode canonical equivalence. The raw text is kept
// as given (it may be a path to open); the NFC form is computed once, so
// comparisons and hashing never normalise again.
class CanonicalString {
public:
    CanonicalString() = default;
    CanonicalString(std::string raw);  // NOLINT(google-explicit-constructor): ids are strings
    CanonicalString(const char* raw) : CanonicalString(std::string(raw)) {}

    const std::string& raw() const { return raw_; }
    // The NFC form; the raw text itself when it is already NFC or not valid UTF-8.
    const std::string& canonical() const { return canonical_.empty() ? raw_ : canonical_; }

    bool empty() const { return raw_.empty(); }
    bool startsWith(std::string_view prefix) const { return raw_.starts_with(prefix); }

    friend bool operator==(const CanonicalString& a, const CanonicalString& b) {
        return a.canonical() == b.canonical();
    }

private:
    std::string raw_;
    std::string canonical_;  // empty when equal to raw_
};

// NFC form of UTF-8 text; text that is not valid UTF-8 is returned unchanged.
std::string toNfc(std::string_view utf8);

}  // namespace vantor

template <>
struct std::hash<vantor::CanonicalString> {
    std::size_t operator()(const vantor::CanonicalString& s) const noexcept {
        return std::hash<std::string>{}(s.canonical());
    }
};
