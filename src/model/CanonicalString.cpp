#include "model/CanonicalString.h"

#include <unicode/normalizer2.h>
#include <unicode/unistr.h>

#include <algorithm>

#include "base/Text.h"
#include "model/IcuText.h"

namespace vantor {
namespace {

bool isAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

}  // namespace

std::string toNfc(std::string_view utf8) {
    if (isAscii(utf8) || !isValidUtf8(utf8, NulBytes::allowed)) {
        return std::string(utf8);
    }
    UErrorCode status = U_ZERO_ERROR;
    const icu::Normalizer2* nfc = icu::Normalizer2::getNFCInstance(status);
    if (U_FAILURE(status)) {
        return std::string(utf8);
    }
    icu::UnicodeString text = fromUtf8(utf8);
    if (nfc->isNormalized(text, status) && U_SUCCESS(status)) {
        return std::string(utf8);
    }
    status = U_ZERO_ERROR;
    icu::UnicodeString normalized = nfc->normalize(text, status);
    if (U_FAILURE(status)) {
        return std::string(utf8);
    }
    std::string out;
    normalized.toUTF8String(out);
    return out;
}

CanonicalString::CanonicalString(std::string raw) : raw_(std::move(raw)) {
    std::string nfc = toNfc(raw_);
    if (nfc != raw_) {
        canonical_ = std::move(nfc);
    }
}

}  // namespace vantor
