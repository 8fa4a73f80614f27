#pragma once

#include <cstddef>
#include <cstdint>

// The arrays that the build generates from Unihan (see tools/PinyinTableGenerator.cpp).
// Read them through model/PinyinTable.h.
namespace vantor::pinyin_data {

// Distinct toneless syllables, NUL-padded ("zhuang" is the longest).
extern const std::size_t syllableCount;
extern const char syllables[][8];

// Set s holds readingSetSyllables[readingSetStarts[s] .. readingSetStarts[s + 1]).
extern const std::size_t readingSetCount;
extern const std::uint16_t readingSetStarts[];
extern const std::uint16_t readingSetSyllables[];

// Every character with a Mandarin reading, ascending, and the set of each.
extern const std::size_t characterCount;
extern const char32_t characters[];
extern const std::uint16_t readingSetOfCharacter[];

}  // namespace vantor::pinyin_data
