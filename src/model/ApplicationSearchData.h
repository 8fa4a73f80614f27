#pragma once

#include <memory>
#include <string>
#include <vector>

#include "model/SearchableText.h"

namespace vantor {

// What an application can be found by besides its title, as the scan reads
// it from the desktop entry or the bundle.
struct SearchFields {
    // Found by folded substring: the untranslated Name and GenericName,
    // Keywords (translated and not), a bundle's CFBundleName and file name.
    std::vector<std::string> names;
    // The GenericName in the user's language: by substring and by pinyin.
    std::string localizedGenericName;
    // The program that runs ("gimp-2.10", "terminal"): by prefix.
    std::string program;

    friend bool operator==(const SearchFields&, const SearchFields&) = default;
};

// Everything the search looks at for one application, prepared off the main
// thread so that a keystroke only prepares its query.
class ApplicationSearchData {
public:
    static std::shared_ptr<const ApplicationSearchData> prepare(std::string_view title,
                                                                SearchFields fields);

    const SearchFields& fields() const { return fields_; }
    const SearchableText& title() const { return title_; }

    // How well the title matches, as TitleMatch says.
    TitleMatch matchTitle(const SearchQuery& query) const { return title_.matchTitle(query); }
    // Whether any other field matches.
    bool matchesOtherFields(const SearchQuery& query) const;

private:
    SearchFields fields_;
    SearchableText title_;
    SearchableText genericName_;
    std::vector<std::string> foldedNames_;
    std::string foldedProgram_;
};

}  // namespace vantor
