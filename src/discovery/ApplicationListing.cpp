#include "discovery/ApplicationListing.h"

namespace vantor {
namespace {

void appendHexEscape(std::string& out, unsigned char byte) {
    constexpr char digits[] = "0123456789abcdef";
    out += "\\x";
    out.push_back(digits[byte >> 4]);
    out.push_back(digits[byte & 0x0F]);
}

}  // namespace

std::string escapeListingField(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        auto byte = static_cast<unsigned char>(text[i]);
        if (byte == '\\') {
            out += "\\\\";
        } else if (byte == '\t') {
            out += "\\t";
        } else if (byte == '\n') {
            out += "\\n";
        } else if (byte < 0x20 || byte == 0x7F) {
            appendHexEscape(out, byte);
        } else if (byte == 0xC2 && i + 1 < text.size() &&
                   static_cast<unsigned char>(text[i + 1]) >= 0x80 &&
                   static_cast<unsigned char>(text[i + 1]) <= 0x9F) {
            // U+0080 to U+009F, the C1 controls: some terminals act on them.
            appendHexEscape(out, byte);
            appendHexEscape(out, static_cast<unsigned char>(text[++i]));
        } else {
            out.push_back(static_cast<char>(byte));
        }
    }
    return out;
}

std::string applicationListingLine(const ApplicationItem& application) {
    return escapeListingField(application.id.raw()) + '\t' + escapeListingField(application.name);
}

}  // namespace vantor
