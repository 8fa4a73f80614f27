#include "model/FolderName.h"

#include <unicode/uchar.h>
#include <unicode/utf8.h>

namespace vantor {
namespace {

bool isLineBreakOrControl(UChar32 c) {
    auto category = static_cast<UCharCategory>(u_charType(c));
    return category == U_CONTROL_CHAR || category == U_LINE_SEPARATOR ||
           category == U_PARAGRAPH_SEPARATOR;
}

}  // namespace

std::string limitToCodePoints(std::string_view text, std::size_t maxCodePoints) {
    auto length = static_cast<int32_t>(text.size());
    int32_t offset = 0;
    for (std::size_t count = 0; count < maxCodePoints && offset < length; ++count) {
        UChar32 c;
        U8_NEXT(text.data(), offset, length, c);
    }
    return std::string(text.substr(0, static_cast<std::size_t>(offset)));
}

std::optional<std::string> cleanFolderName(std::string_view typed, std::size_t maxCodePoints) {
    auto length = static_cast<int32_t>(typed.size());
    // One pass: decode, replace controls, and remember where the last
    // non-blank character ends so trailing white space is dropped.
    std::string out;
    std::size_t kept = 0;
    std::size_t bytesUpToLastInk = 0;
    int32_t offset = 0;
    while (offset < length) {
        UChar32 c;
        U8_NEXT(typed.data(), offset, length, c);
        if (c < 0) {
            return std::nullopt;  // not UTF-8: the stored folders must stay valid JSON text
        }
        if (isLineBreakOrControl(c)) {
            c = U' ';
        }
        bool blank = u_isUWhiteSpace(c);
        if (blank && out.empty()) {
            continue;  // leading white space
        }
        if (kept == maxCodePoints) {
            break;
        }
        char buffer[U8_MAX_LENGTH];
        int32_t size = 0;
        U8_APPEND_UNSAFE(buffer, size, c);
        out.append(buffer, static_cast<std::size_t>(size));
        ++kept;
        if (!blank) {
            bytesUpToLastInk = out.size();
        }
    }
    out.resize(bytesUpToLastInk);
    if (out.empty()) {
        return std::nullopt;
    }
    return out;
}

}  // namespace vantor
