#pragma once

#include <memory>
#include <string>
#include <string_view>

#include <unicode/uversion.h>

U_NAMESPACE_BEGIN
class Collator;
U_NAMESPACE_END

namespace vantor {

// The order in which titles are listed: the user's locale, letter case
// ignored, accents kept, runs of digits compared by value ("Item 2" before
// "Item 10"). Sort keys compare bytewise, so a list sorted often is keyed once.
// One instance per thread: collators are not thread-safe.
class TitleCollator {
public:
    TitleCollator();  // locale from the environment (LC_ALL, LC_COLLATE, LANG)
    explicit TitleCollator(const std::string& localeName);
    ~TitleCollator();
    TitleCollator(const TitleCollator&) = delete;
    TitleCollator& operator=(const TitleCollator&) = delete;

    std::string sortKey(std::string_view title) const;
    // True when a precedes b strictly.
    bool precedes(std::string_view a, std::string_view b) const;

private:
    std::unique_ptr<icu::Collator> collator_;
};

// The locale name the environment asks for collation ("zh_CN", "en_US", "" for POSIX).
std::string collationLocaleFromEnvironment();

}  // namespace vantor
