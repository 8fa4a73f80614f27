#include "model/TitleCollator.h"

#include <unicode/coll.h>
#include <unicode/locid.h>

#include <vector>

#include "base/XdgEnvironment.h"
#include "model/IcuText.h"

namespace vantor {
namespace {

std::unique_ptr<icu::Collator> makeCollator(const std::string& localeName) {
    UErrorCode status = U_ZERO_ERROR;
    icu::Locale locale = localeName.empty() ? icu::Locale::getRoot()
                                            : icu::Locale::createCanonical(localeName.c_str());
    std::unique_ptr<icu::Collator> collator(icu::Collator::createInstance(locale, status));
    if (U_FAILURE(status) || !collator) {
        status = U_ZERO_ERROR;
        collator.reset(icu::Collator::createInstance(icu::Locale::getRoot(), status));
    }
    if (collator) {
        collator->setStrength(icu::Collator::SECONDARY);
        status = U_ZERO_ERROR;
        collator->setAttribute(UCOL_NUMERIC_COLLATION, UCOL_ON, status);
    }
    return collator;
}

}  // namespace

std::string collationLocaleFromEnvironment() {
    std::string locale = firstSetVariable({"LC_ALL", "LC_COLLATE", "LANG"});
    // "zh_CN.UTF-8@variant" -> "zh_CN"
    locale = locale.substr(0, locale.find_first_of(".@"));
    return locale == "C" || locale == "POSIX" ? "" : locale;
}

TitleCollator::TitleCollator() : TitleCollator(collationLocaleFromEnvironment()) {
}

TitleCollator::TitleCollator(const std::string& localeName) : collator_(makeCollator(localeName)) {
}

TitleCollator::~TitleCollator() = default;

std::string TitleCollator::sortKey(std::string_view title) const {
    if (!collator_) {
        return std::string(title);
    }
    icu::UnicodeString text = fromUtf8(title);
    std::vector<uint8_t> buffer(64 + static_cast<size_t>(text.length()) * 4);
    int32_t needed =
        collator_->getSortKey(text, buffer.data(), static_cast<int32_t>(buffer.size()));
    if (needed > static_cast<int32_t>(buffer.size())) {
        buffer.resize(static_cast<size_t>(needed));
        needed = collator_->getSortKey(text, buffer.data(), needed);
    }
    // The key ends with a zero byte that comparisons need not see.
    size_t length = needed > 0 ? static_cast<size_t>(needed) - 1 : 0;
    return std::string(reinterpret_cast<const char*>(buffer.data()), length);
}

bool TitleCollator::precedes(std::string_view a, std::string_view b) const {
    return sortKey(a) < sortKey(b);
}

}  // namespace vantor
