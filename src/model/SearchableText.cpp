#include "model/SearchableText.h"

#include <unicode/uchar.h>
#include <unicode/uscript.h>
#include <unicode/utf8.h>

#include <algorithm>

#include "model/SearchText.h"

namespace vantor {
namespace {

// Query positions reached by a run so far; a handful at most in practice.
class Positions {
public:
    void clear() { values_.clear(); }
    void add(std::size_t position) {
        if (std::find(values_.begin(), values_.end(), position) == values_.end()) {
            values_.push_back(position);
        }
    }
    bool empty() const { return values_.empty(); }
    const std::vector<std::size_t>& values() const { return values_; }
    void swap(Positions& other) { values_.swap(other.values_); }

private:
    std::vector<std::size_t> values_;
};

bool isAsciiLetter(char c) {
    return c >= 'a' && c <= 'z';
}

bool isCombiningMark(UChar32 c) {
    return (U_GET_GC_MASK(c) & U_GC_M_MASK) != 0;
}

bool isLowercaseLetter(UChar32 c) {
    return u_charType(c) == U_LOWERCASE_LETTER;
}

}  // namespace

SearchQuery SearchQuery::prepare(std::string_view query) {
    SearchQuery prepared;
    prepared.folded = foldForSearch(trimQuery(query));
    for (char c : prepared.folded) {
        if (c != ' ' && c != '\t') {
            prepared.spaceless += c;
        }
    }
    return prepared;
}

SearchableText SearchableText::prepare(std::string_view text) {
    SearchableText prepared;
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    auto length = static_cast<std::int32_t>(text.size());
    std::int32_t i = 0;
    UChar32 previous = -1;
    bool previousSkippable = true;
    bool previousHan = false;
    std::string original;
    while (i < length) {
        std::int32_t start = i;
        UChar32 c;
        U8_NEXT(bytes, i, length, c);
        if (c < 0) {
            c = 0xFFFD;
        }
        std::string_view piece =
            text.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(i - start));
        // A combining mark belongs to the character before it: "e" + "́" is one é.
        if (isCombiningMark(c) && !prepared.units_.empty()) {
            Unit& unit = prepared.units_.back();
            original.append(piece);
            prepared.folded_.resize(unit.textStart);
            prepared.folded_ += foldForSearch(original);
            unit.textLength = static_cast<std::uint16_t>(prepared.folded_.size() - unit.textStart);
            continue;
        }
        original.assign(piece);
        Unit unit;
        unit.textStart = static_cast<std::uint32_t>(prepared.folded_.size());
        std::span<const PinyinTable::SyllableID> readings = PinyinTable::readingsOf(c);
        unit.readings = readings.data();
        unit.readingCount = static_cast<std::uint16_t>(readings.size());
        for (PinyinTable::SyllableID id : readings) {
            unit.initials |= 1u << (PinyinTable::syllable(id)[0] - 'a');
        }
        // Han characters and ASCII fold without ICU: most titles are only these.
        if (c < 0x80) {
            prepared.folded_ += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
        } else if (!readings.empty()) {
            prepared.folded_.append(piece);
        } else {
            prepared.folded_ += foldForSearch(piece);
        }
        unit.textLength = static_cast<std::uint16_t>(prepared.folded_.size() - unit.textStart);
        UErrorCode status = U_ZERO_ERROR;
        bool han = !readings.empty() || uscript_getScript(c, &status) == USCRIPT_HAN;
        unit.skippable = u_isUWhiteSpace(c) || u_ispunct(c);
        bool camelHump = u_isupper(c) && isLowercaseLetter(previous);
        unit.runStart = !unit.skippable && (han || previousSkippable || previousHan || camelHump);
        if (unit.runStart) {
            prepared.runInitials_ |= unit.initials;
            char first = prepared.folded_[unit.textStart];
            if (isAsciiLetter(first)) {
                prepared.runInitials_ |= 1u << (first - 'a');
            }
        }
        if (!unit.skippable) {
            prepared.lastSolid_ = static_cast<std::uint32_t>(prepared.units_.size());
        }
        prepared.units_.push_back(unit);
        previous = c;
        previousSkippable = unit.skippable;
        previousHan = han;
    }
    return prepared;
}

bool SearchableText::mayStartWith(const Unit& unit, std::string_view pinyin) const {
    char first = pinyin.front();
    if (isAsciiLetter(first) && (unit.initials & (1u << (first - 'a'))) != 0) {
        return true;
    }
    return folded_[unit.textStart] == first;
}

SearchableText::Run SearchableText::runFrom(std::size_t start, std::string_view pinyin) const {
    thread_local Positions current;
    thread_local Positions next;
    Run run;
    std::size_t end = pinyin.size();
    std::size_t lastSolidIndex = lastSolid_;
    current.clear();
    current.add(0);
    for (std::size_t j = start; j < units_.size() && !current.empty(); ++j) {
        const Unit& unit = units_[j];
        if (unit.skippable) {
            continue;  // spaces and punctuation inside a run take nothing
        }
        std::string_view text(folded_.data() + unit.textStart, unit.textLength);
        next.clear();
        for (std::size_t at : current.values()) {
            std::string_view rest = pinyin.substr(at);
            if (rest.starts_with(text)) {
                next.add(at + text.size());
            }
            for (std::uint16_t r = 0; r < unit.readingCount; ++r) {
                std::string_view reading = PinyinTable::syllable(unit.readings[r]);
                if (reading[0] != rest[0]) {
                    continue;
                }
                next.add(at + 1);  // the initial
                if (rest.starts_with(reading)) {
                    next.add(at + reading.size());
                } else if (rest.size() < reading.size() && reading.starts_with(rest)) {
                    run.matched = true;  // the query ends inside this reading
                }
            }
        }
        current.clear();
        for (std::size_t at : next.values()) {
            if (at == end) {
                run.matched = true;
                run.wholeText = run.wholeText || j == lastSolidIndex;
            } else {
                current.add(at);
            }
        }
    }
    return run;
}

TitleMatch SearchableText::matchTitle(const SearchQuery& query) const {
    if (query.empty() || units_.empty()) {
        return TitleMatch::none;
    }
    std::string_view pinyin = query.spaceless;
    // A Han character's own text never begins with an ASCII letter, so only
    // initials and the first letters of Latin words can begin such a run.
    if (!pinyin.empty() && isAsciiLetter(pinyin[0]) &&
        (runInitials_ & (1u << (pinyin[0] - 'a'))) == 0) {
        pinyin = {};  // no run can begin with this letter: only the substring can match
    }
    auto firstSolid = std::find_if(units_.begin(), units_.end(),
                                   [](const Unit& unit) { return !unit.skippable; });
    TitleMatch best = TitleMatch::none;
    if (!pinyin.empty() && firstSolid != units_.end() && mayStartWith(*firstSolid, pinyin)) {
        Run run = runFrom(static_cast<std::size_t>(firstSolid - units_.begin()), pinyin);
        if (run.wholeText) {
            return TitleMatch::whole;
        }
        if (run.matched) {
            best = TitleMatch::atStart;
        }
    }
    std::size_t found = folded_.find(query.folded);
    if (found == 0) {
        return best == TitleMatch::none && folded_ == query.folded ? TitleMatch::whole
                                                                   : TitleMatch::atStart;
    }
    if (best != TitleMatch::none) {
        return best;
    }
    if (!pinyin.empty()) {
        for (auto unit = firstSolid == units_.end() ? units_.end() : firstSolid + 1;
             unit < units_.end(); ++unit) {
            if (unit->runStart && mayStartWith(*unit, pinyin) &&
                runFrom(static_cast<std::size_t>(unit - units_.begin()), pinyin).matched) {
                return TitleMatch::atWord;
            }
        }
    }
    if (found == std::string::npos) {
        return TitleMatch::none;
    }
    for (; found != std::string::npos; found = folded_.find(query.folded, found + 1)) {
        auto unit = std::lower_bound(
            units_.begin(), units_.end(), found,
            [](const Unit& u, std::size_t offset) { return u.textStart < offset; });
        if (unit != units_.end() && unit->textStart == found && unit->runStart) {
            return TitleMatch::atWord;
        }
    }
    return TitleMatch::inside;
}

}  // namespace vantor
