// Builds the pinyin reading table compiled into Vantor from Unihan's readings
// file (Unihan_Readings.txt.bz2 of Debian's unicode-data). Every Mandarin
// reading of every character is kept (kMandarin, kHanyuPinyin, kXHC1983,
// kTGHZ2013), toneless, with ü written v, as people type it without an input
// method.
//
// Usage: PinyinTableGenerator Unihan_Readings.txt.bz2 OUTPUT.cpp
//
// The output is one C++ file of constant arrays (see model/PinyinTableData.h):
// the distinct syllables, the distinct sets of syllables, and for every
// character (sorted by code point) the index of its set. Characters share sets
// (most have one common reading), which keeps the table small.
#include <bzlib.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

std::optional<std::string> readBzip2(const std::string& path) {
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        return std::nullopt;
    }
    int error = BZ_OK;
    BZFILE* bz = BZ2_bzReadOpen(&error, file.get(), 0, 0, nullptr, 0);
    if (error != BZ_OK) {
        return std::nullopt;
    }
    std::string text;
    char buffer[1 << 16];
    while (error == BZ_OK) {
        int n = BZ2_bzRead(&error, bz, buffer, sizeof buffer);
        if (error == BZ_OK || error == BZ_STREAM_END) {
            text.append(buffer, static_cast<std::size_t>(n));
        }
    }
    BZ2_bzReadClose(&error, bz);
    return text;
}

// Decodes one UTF-8 sequence at text[i]; advances i. Invalid bytes give 0xFFFD.
char32_t nextCodePoint(const std::string& text, std::size_t& i) {
    auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    unsigned char lead = byte(i);
    int length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : 4;
    if (i + static_cast<std::size_t>(length) > text.size()) {
        i = text.size();
        return 0xFFFD;
    }
    char32_t c = length == 1   ? lead
                 : length == 2 ? lead & 0x1F
                 : length == 3 ? lead & 0x0F
                               : lead & 0x07;
    for (int k = 1; k < length; ++k) {
        c = (c << 6) | (byte(i + static_cast<std::size_t>(k)) & 0x3F);
    }
    i += static_cast<std::size_t>(length);
    return c;
}

// The toneless spelling of one reading ("lüè" → "lve"), or nothing when it
// holds a letter that is not pinyin.
std::optional<std::string> toneless(const std::string& reading) {
    std::string out;
    for (std::size_t i = 0; i < reading.size();) {
        char32_t c = nextCodePoint(reading, i);
        if (c >= 'a' && c <= 'z') {
            out += static_cast<char>(c);
            continue;
        }
        switch (c) {
            case U'ā':
            case U'á':
            case U'ǎ':
            case U'à':
                out += 'a';
                break;
            case U'ē':
            case U'é':
            case U'ě':
            case U'è':
            case U'ê':
            case U'ế':
            case U'ề':
                out += 'e';
                break;
            case U'ī':
            case U'í':
            case U'ǐ':
            case U'ì':
                out += 'i';
                break;
            case U'ō':
            case U'ó':
            case U'ǒ':
            case U'ò':
                out += 'o';
                break;
            case U'ū':
            case U'ú':
            case U'ǔ':
            case U'ù':
                out += 'u';
                break;
            case U'ü':
            case U'ǖ':
            case U'ǘ':
            case U'ǚ':
            case U'ǜ':
                out += 'v';
                break;
            case U'ḿ':
                out += 'm';
                break;
            case U'ń':
            case U'ň':
            case U'ǹ':
                out += 'n';
                break;
            case 0x0300:
            case 0x0301:
            case 0x0302:
            case 0x0304:
            case 0x030C:
                break;    // a tone or circumflex written apart from its letter
            case 0x0308:  // a diaeresis written apart: u + ̈ is ü
                if (!out.empty() && out.back() == 'u') {
                    out.back() = 'v';
                }
                break;
            default:
                return std::nullopt;
        }
    }
    if (out.empty()) {
        return std::nullopt;
    }
    return out;
}

// The readings in one field value. kMandarin: "lè" or "lè yuè"; the
// dictionary fields: "0683.040:lè 1430.060:yuè" or "10093.130:xī,lǔ".
std::vector<std::string> readingsInValue(const std::string& value) {
    std::vector<std::string> readings;
    std::istringstream words(value);
    std::string word;
    while (words >> word) {
        std::size_t colon = word.rfind(':');
        std::string list = colon == std::string::npos ? word : word.substr(colon + 1);
        std::size_t start = 0;
        while (start <= list.size()) {
            std::size_t comma = list.find(',', start);
            if (comma == std::string::npos) {
                comma = list.size();
            }
            if (comma > start) {
                readings.push_back(list.substr(start, comma - start));
            }
            start = comma + 1;
        }
    }
    return readings;
}

bool isReadingField(const std::string& field) {
    return field == "kMandarin" || field == "kHanyuPinyin" || field == "kXHC1983" ||
           field == "kTGHZ2013";
}

int fieldRank(const std::string& field) {
    // The everyday reading first; the order plays no part in matching.
    return field == "kMandarin" ? 0 : field == "kTGHZ2013" ? 1 : field == "kXHC1983" ? 2 : 3;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: PinyinTableGenerator Unihan_Readings.txt.bz2 OUTPUT.cpp\n";
        return 2;
    }
    std::optional<std::string> text = readBzip2(argv[1]);
    if (!text) {
        std::cerr << "PinyinTableGenerator: cannot read " << argv[1] << '\n';
        return 1;
    }

    // Per character: (field rank, reading) in the order met.
    std::map<char32_t, std::vector<std::pair<int, std::string>>> found;
    std::istringstream lines(*text);
    std::string line;
    std::size_t rejected = 0;
    while (std::getline(lines, line)) {
        if (line.empty() || line[0] == '#' || !line.starts_with("U+")) {
            continue;
        }
        std::size_t tab1 = line.find('\t');
        std::size_t tab2 = tab1 == std::string::npos ? tab1 : line.find('\t', tab1 + 1);
        if (tab2 == std::string::npos) {
            continue;
        }
        std::string field = line.substr(tab1 + 1, tab2 - tab1 - 1);
        if (!isReadingField(field)) {
            continue;
        }
        auto codePoint = static_cast<char32_t>(std::stoul(line.substr(2, tab1 - 2), nullptr, 16));
        for (const std::string& reading : readingsInValue(line.substr(tab2 + 1))) {
            if (std::optional<std::string> plain = toneless(reading)) {
                found[codePoint].emplace_back(fieldRank(field), *plain);
            } else {
                ++rejected;
            }
        }
    }
    if (found.size() < 20000) {
        std::cerr << "PinyinTableGenerator: only " << found.size()
                  << " characters with readings; is this Unihan_Readings.txt?\n";
        return 1;
    }

    std::map<std::string, std::uint16_t> syllableIDs;
    std::vector<std::string> syllables;
    std::map<std::vector<std::uint16_t>, std::uint16_t> setIDs;
    std::vector<std::vector<std::uint16_t>> sets;
    std::vector<char32_t> codePoints;
    std::vector<std::uint16_t> setOfCodePoint;
    for (auto& [codePoint, readings] : found) {
        std::stable_sort(readings.begin(), readings.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        std::vector<std::uint16_t> set;
        for (const auto& [rank, reading] : readings) {
            auto [it, added] =
                syllableIDs.emplace(reading, static_cast<std::uint16_t>(syllables.size()));
            if (added) {
                syllables.push_back(reading);
            }
            if (std::find(set.begin(), set.end(), it->second) == set.end()) {
                set.push_back(it->second);
            }
        }
        auto [setIt, addedSet] = setIDs.emplace(set, static_cast<std::uint16_t>(sets.size()));
        if (addedSet) {
            sets.push_back(set);
        }
        codePoints.push_back(codePoint);
        setOfCodePoint.push_back(setIt->second);
    }
    std::size_t setEntries = 0;
    std::size_t longest = 0;
    for (const auto& set : sets) {
        setEntries += set.size();
    }
    for (const auto& syllable : syllables) {
        longest = std::max(longest, syllable.size());
    }
    if (sets.size() >= 0xFFFF || setEntries >= 0xFFFF || syllables.size() >= 0xFFFF ||
        longest > 7) {
        std::cerr << "PinyinTableGenerator: the table outgrew its 16-bit indices\n";
        return 1;
    }

    std::ofstream out(argv[2]);
    out << "// Generated by PinyinTableGenerator from " << argv[1] << ". Do not edit.\n"
        << "#include \"model/PinyinTableData.h\"\n\nnamespace vantor::pinyin_data {\n\n";
    out << "const std::size_t syllableCount = " << syllables.size() << ";\n";
    out << "const char syllables[][8] = {\n";
    for (const auto& syllable : syllables) {
        out << "\"" << syllable << "\",\n";
    }
    out << "};\n\nconst std::size_t readingSetCount = " << sets.size() << ";\n";
    out << "const std::uint16_t readingSetStarts[] = {\n";
    std::size_t start = 0;
    for (const auto& set : sets) {
        out << start << ",";
        start += set.size();
    }
    out << start << "};\n\nconst std::uint16_t readingSetSyllables[] = {\n";
    for (const auto& set : sets) {
        for (std::uint16_t id : set) {
            out << id << ",";
        }
        out << "\n";
    }
    out << "};\n\nconst std::size_t characterCount = " << codePoints.size() << ";\n";
    out << "const char32_t characters[] = {\n";
    for (std::size_t i = 0; i < codePoints.size(); ++i) {
        out << "0x" << std::hex << static_cast<std::uint32_t>(codePoints[i]) << std::dec
            << (i % 12 == 11 ? ",\n" : ",");
    }
    out << "};\n\nconst std::uint16_t readingSetOfCharacter[] = {\n";
    for (std::size_t i = 0; i < setOfCodePoint.size(); ++i) {
        out << setOfCodePoint[i] << (i % 20 == 19 ? ",\n" : ",");
    }
    out << "};\n\n}  // namespace vantor::pinyin_data\n";
    if (!out) {
        std::cerr << "PinyinTableGenerator: cannot write " << argv[2] << '\n';
        return 1;
    }
    std::cout << "pinyin table: " << codePoints.size() << " characters, " << syllables.size()
              << " syllables, " << sets.size() << " reading sets";
    if (rejected != 0) {
        std::cout << ", " << rejected << " readings not in pinyin letters left out";
    }
    std::cout << '\n';
    return 0;
}
