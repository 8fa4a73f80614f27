#pragma once

#include <unicode/unistr.h>

#include <string_view>

namespace vantor {

// UTF-8 text as ICU's string; ill-formed bytes become U+FFFD.
inline icu::UnicodeString fromUtf8(std::string_view text) {
    return icu::UnicodeString::fromUTF8(
        icu::StringPiece(text.data(), static_cast<int32_t>(text.size())));
}

}  // namespace vantor
