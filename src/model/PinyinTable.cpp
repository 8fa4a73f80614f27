#include "model/PinyinTable.h"

#include <algorithm>
#include <cstring>

#include "model/PinyinTableData.h"

namespace vantor {

std::span<const PinyinTable::SyllableID> PinyinTable::readingsOf(char32_t c) {
    using namespace pinyin_data;
    // Han characters all lie at or above U+2E80; most text never reaches the search.
    if (c < 0x2E80) {
        return {};
    }
    const char32_t* end = characters + characterCount;
    const char32_t* found = std::lower_bound(characters, end, c);
    if (found == end || *found != c) {
        return {};
    }
    std::uint16_t set = readingSetOfCharacter[found - characters];
    return {readingSetSyllables + readingSetStarts[set],
            readingSetSyllables + readingSetStarts[set + 1]};
}

std::string_view PinyinTable::syllable(SyllableID id) {
    if (id >= pinyin_data::syllableCount) {
        return {};
    }
    const char* text = pinyin_data::syllables[id];
    return {text, ::strnlen(text, sizeof pinyin_data::syllables[0])};
}

std::size_t PinyinTable::sizeInBytes() {
    using namespace pinyin_data;
    return syllableCount * sizeof syllables[0] + (readingSetCount + 1) * sizeof(std::uint16_t) +
           readingSetStarts[readingSetCount] * sizeof(std::uint16_t) +
           characterCount * (sizeof(char32_t) + sizeof(std::uint16_t));
}

}  // namespace vantor
