#include "base/Text.h"

#include <unicode/utf8.h>

#include <algorithm>

namespace vantor {

std::vector<std::string_view> splitOn(std::string_view text, char separator, EmptyParts empty) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = std::min(text.find(separator, start), text.size());
        if (end > start || empty == EmptyParts::keep) {
            parts.push_back(text.substr(start, end - start));
        }
        start = end + 1;
    }
    return parts;
}

std::string_view trimmed(std::string_view text, std::string_view blanks) {
    std::size_t first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

bool isValidUtf8(std::string_view text, NulBytes nul) {
    const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
    auto length = static_cast<int32_t>(text.size());
    int32_t i = 0;
    while (i < length) {
        UChar32 c;
        U8_NEXT(bytes, i, length, c);
        if (c < 0 || (c == 0 && nul == NulBytes::refused)) {
            return false;
        }
    }
    return true;
}

}  // namespace vantor
