#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/PinyinTable.h"

namespace vantor {

// A query as it is matched: trimmed and folded like titles, and once more
// without its spaces for pinyin ("liu lan" types the same as "liulan").
struct SearchQuery {
    std::string folded;
    std::string spaceless;

    static SearchQuery prepare(std::string_view query);
    bool empty() const { return folded.empty(); }
};

// How a title was found by a query, best first. `none`: not at all.
enum class TitleMatch : std::uint8_t {
    // The whole title, from its first character, each character by its own
    // text, a full reading or an initial: 终端 ← zhongduan, zd.
    whole = 1,
    // A match that starts at the title's first character: 音乐 ← yinyu.
    atStart = 2,
    // A match that starts at a later word or Han character.
    atWord = 3,
    // The title holds the query somewhere else.
    inside = 4,
    none = 5,
};

// A text prepared once (on the scan's worker) so that each keystroke only
// walks it: its folded form, and per character its folded text, its pinyin
// readings, and where words start.
//
// A pinyin run starts at the beginning of a word or at any Han character;
// each character in turn takes from the query its own text, one of its full
// readings or the first letter of a reading, and the last one may take any
// beginning of a reading. Spaces and punctuation inside a run are skipped.
// So 浏览器 is found by liulanqi, llq, liulq, liul, 浏lq and lanqi, but not by a.
class SearchableText {
public:
    SearchableText() = default;
    static SearchableText prepare(std::string_view text);

    // Folded as foldForSearch folds (case folding, NFC).
    const std::string& folded() const { return folded_; }

    // How the query finds this text as a title: by pinyin runs and by
    // folded substring.
    TitleMatch matchTitle(const SearchQuery& query) const;
    // Whether the query finds this text at all, as a title would be found.
    bool matches(const SearchQuery& query) const { return matchTitle(query) != TitleMatch::none; }

    std::size_t characterCount() const { return units_.size(); }

private:
    struct Unit {
        std::uint32_t textStart = 0;  // in folded_
        std::uint16_t textLength = 0;
        std::uint16_t readingCount = 0;
        const PinyinTable::SyllableID* readings = nullptr;
        std::uint32_t initials = 0;  // bit (c - 'a') for each reading's first letter
        bool skippable = false;      // white space or punctuation
        bool runStart = false;       // a word's first character, or a Han character
    };
    struct Run {
        bool matched = false;
        bool wholeText = false;
    };

    Run runFrom(std::size_t start, std::string_view pinyin) const;
    bool mayStartWith(const Unit& unit, std::string_view pinyin) const;

    std::string folded_;
    std::vector<Unit> units_;
    // Letters a pinyin run can begin with here (bit c - 'a'): most items are
    // ruled out by the query's first letter without walking their characters.
    std::uint32_t runInitials_ = 0;
    std::uint32_t lastSolid_ = 0;  // index of the last unit that is not skipped
};

}  // namespace vantor
