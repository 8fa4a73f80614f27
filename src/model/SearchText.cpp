#include "model/SearchText.h"

#include <unicode/normalizer2.h>
#include <unicode/uchar.h>

#include "model/IcuText.h"

namespace vantor {

std::string foldForSearch(std::string_view text) {
    icu::UnicodeString folded = fromUtf8(text).foldCase(U_FOLD_CASE_DEFAULT);
    UErrorCode status = U_ZERO_ERROR;
    const icu::Normalizer2* nfc = icu::Normalizer2::getNFCInstance(status);
    if (U_SUCCESS(status)) {
        icu::UnicodeString normalized = nfc->normalize(folded, status);
        if (U_SUCCESS(status)) {
            folded = normalized;
        }
    }
    std::string out;
    folded.toUTF8String(out);
    return out;
}

std::string trimQuery(std::string_view query) {
    icu::UnicodeString text = fromUtf8(query);
    int32_t start = 0;
    int32_t end = text.length();
    // White space and line breaks in the Unicode sense (includes U+0085, U+2028, U+3000).
    while (start < end && u_isUWhiteSpace(text.char32At(start))) {
        start = text.moveIndex32(start, 1);
    }
    while (end > start) {
        int32_t previous = text.moveIndex32(end, -1);
        if (!u_isUWhiteSpace(text.char32At(previous))) {
            break;
        }
        end = previous;
    }
    std::string out;
    text.tempSubStringBetween(start, end).toUTF8String(out);
    return out;
}

}  // namespace vantor
