#pragma once

#include <string>
#include <string_view>

namespace vantor {

// The form in which titles and queries are matched: full Unicode case folding,
// then NFC, so "STRASSE" finds "Straße" while accents stay significant.
std::string foldForSearch(std::string_view text);

// The query with Unicode white space and line breaks removed from both ends.
std::string trimQuery(std::string_view query);

// Whether the folded title holds the folded query.
inline bool searchMatches(std::string_view foldedTitle, std::string_view foldedQuery) {
    return foldedTitle.find(foldedQuery) != std::string_view::npos;
}

}  // namespace vantor
