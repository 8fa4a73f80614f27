#include "base/Base64.h"

#include <array>
#include <cstdint>

namespace vantor {
namespace {

constexpr std::string_view alphabet =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

constexpr std::array<int8_t, 256> makeDecodeTable() {
    std::array<int8_t, 256> table{};
    for (auto& entry : table) {
        entry = -1;
    }
    for (size_t i = 0; i < alphabet.size(); ++i) {
        table[static_cast<unsigned char>(alphabet[i])] = static_cast<int8_t>(i);
    }
    return table;
}

constexpr auto decodeTable = makeDecodeTable();

}  // namespace

std::string encodeBase64(std::string_view bytes) {
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    size_t i = 0;
    for (; i + 2 < bytes.size(); i += 3) {
        uint32_t n = (static_cast<uint8_t>(bytes[i]) << 16) |
                     (static_cast<uint8_t>(bytes[i + 1]) << 8) | static_cast<uint8_t>(bytes[i + 2]);
        out += alphabet[(n >> 18) & 63];
        out += alphabet[(n >> 12) & 63];
        out += alphabet[(n >> 6) & 63];
        out += alphabet[n & 63];
    }
    size_t rest = bytes.size() - i;
    if (rest == 1) {
        uint32_t n = static_cast<uint8_t>(bytes[i]) << 16;
        out += alphabet[(n >> 18) & 63];
        out += alphabet[(n >> 12) & 63];
        out += "==";
    } else if (rest == 2) {
        uint32_t n =
            (static_cast<uint8_t>(bytes[i]) << 16) | (static_cast<uint8_t>(bytes[i + 1]) << 8);
        out += alphabet[(n >> 18) & 63];
        out += alphabet[(n >> 12) & 63];
        out += alphabet[(n >> 6) & 63];
        out += '=';
    }
    return out;
}

std::optional<std::string> decodeBase64(std::string_view text) {
    if (text.size() % 4 != 0) {
        return std::nullopt;
    }
    std::string out;
    out.reserve(text.size() / 4 * 3);
    for (size_t i = 0; i < text.size(); i += 4) {
        bool last = i + 4 == text.size();
        int padding = 0;
        uint32_t n = 0;
        for (size_t j = 0; j < 4; ++j) {
            char c = text[i + j];
            if (c == '=' && last && j >= 2) {
                ++padding;
                n <<= 6;
                continue;
            }
            int8_t value = decodeTable[static_cast<unsigned char>(c)];
            if (value < 0 || padding > 0) {
                return std::nullopt;
            }
            n = (n << 6) | static_cast<uint32_t>(value);
        }
        out += static_cast<char>((n >> 16) & 0xff);
        if (padding < 2) {
            out += static_cast<char>((n >> 8) & 0xff);
        }
        if (padding < 1) {
            out += static_cast<char>(n & 0xff);
        }
    }
    return out;
}

}  // namespace vantor
