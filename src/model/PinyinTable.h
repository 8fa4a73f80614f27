#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace vantor {

// Every Mandarin reading of a Han character, toneless and with ü written v
// (乐: yue and le; 绿: lv and lu), as people type pinyin with the input method
// off. Compiled into the program; safe from any thread.
class PinyinTable {
public:
    using SyllableID = std::uint16_t;

    // The readings of c; empty for a character that has none (Latin, digits, …).
    static std::span<const SyllableID> readingsOf(char32_t c);
    static std::string_view syllable(SyllableID id);
    // The bytes the table occupies in the program.
    static std::size_t sizeInBytes();
};

}  // namespace vantor
