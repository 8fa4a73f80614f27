#include "discovery/PlistNesting.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace vantor {
namespace {

constexpr std::string_view binaryMagic = "bplist00";
constexpr std::size_t trailerBytes = 32;

// Where the markup starting at `from` ends (just past `terminator`), or npos.
std::size_t skipPast(std::string_view data, std::size_t from, std::string_view terminator) {
    std::size_t found = data.find(terminator, from);
    return found == std::string_view::npos ? found : found + terminator.size();
}

// Just past the '>' closing a tag or declaration that starts at `from`,
// stepping over quoted attribute values and, in a declaration, its
// bracketed internal subset, as the reader does.
std::size_t skipTag(std::string_view data, std::size_t from, bool declaration) {
    char quote = 0;
    int brackets = 0;
    for (std::size_t i = from; i < data.size(); ++i) {
        char c = data[i];
        if (quote != 0) {
            if (c == quote) {
                quote = 0;
            }
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == '[' && declaration) {
            ++brackets;
        } else if (c == ']' && declaration) {
            --brackets;
        } else if (c == '>' && brackets <= 0) {
            return i + 1;
        }
    }
    return std::string_view::npos;
}

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

bool isNameChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '_' || c == '.' || c == ':';
}

char lowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// 'a' for an array, 'd' for a dictionary, 0 for any other element. Generous
// on purpose (any case, space before the name, any character ending it): a
// tag the reader might take for a container is counted as one.
char containerKind(std::string_view data, std::size_t nameStart) {
    while (nameStart < data.size() && isSpace(data[nameStart])) {
        ++nameStart;
    }
    for (auto [name, kind] : {std::pair{std::string_view("array"), 'a'}, {"dict", 'd'}}) {
        std::size_t end = nameStart + name.size();
        if (end >= data.size() || isNameChar(data[end])) {
            continue;
        }
        bool same = true;
        for (std::size_t k = 0; k < name.size(); ++k) {
            same = same && lowerAscii(data[nameStart + k]) == name[k];
        }
        if (same) {
            return kind;
        }
    }
    return 0;
}

bool xmlNestingWithin(std::string_view data, std::size_t maxDepth) {
    std::string open;  // the kinds of the containers open now, outermost first
    // WORKAROUND: the reader puts whatever follows an empty container at the
    // top level ("<array/>") inside it, one level deeper than it stands.
    std::size_t adoptedLevels = 0;
    std::size_t i = 0;
    while ((i = data.find('<', i)) != std::string_view::npos) {
        std::string_view rest = data.substr(i);
        if (rest.starts_with("<!--")) {
            i = skipPast(data, i + 4, "-->");
        } else if (rest.starts_with("<![CDATA[")) {
            i = skipPast(data, i + 9, "]]>");
        } else if (rest.starts_with("<?")) {
            i = skipPast(data, i + 2, "?>");
        } else if (rest.starts_with("</")) {
            char kind = containerKind(data, i + 2);
            if (kind != 0) {
                if (open.empty() || open.back() != kind) {
                    return false;
                }
                open.pop_back();
            }
            i = skipTag(data, i + 2, false);
        } else {
            bool declaration = rest.starts_with("<!");
            char kind = declaration ? 0 : containerKind(data, i + 1);
            std::size_t end = skipTag(data, i + 1, declaration);
            bool empty = end != std::string_view::npos && data[end - 2] == '/';
            if (kind != 0) {
                if (open.size() + adoptedLevels + 1 > maxDepth) {
                    return false;
                }
                if (!empty) {
                    open.push_back(kind);
                } else if (open.empty()) {
                    adoptedLevels = 1;
                }
            }
            i = end;
        }
        if (i == std::string_view::npos) {
            return false;  // markup cut short
        }
    }
    return true;
}

std::uint64_t readBigEndian(std::string_view data, std::size_t at, std::size_t bytes) {
    std::uint64_t value = 0;
    for (std::size_t k = 0; k < bytes; ++k) {
        value = (value << 8) | static_cast<unsigned char>(data[at + k]);
    }
    return value;
}

class BinaryTable {
public:
    // False when the trailer describes a table that does not fit the file.
    bool open(std::string_view data) {
        data_ = data;
        if (data.size() < binaryMagic.size() + trailerBytes) {
            return false;
        }
        std::size_t trailer = data.size() - trailerBytes;
        offsetSize_ = static_cast<unsigned char>(data[trailer + 6]);
        refSize_ = static_cast<unsigned char>(data[trailer + 7]);
        objectCount_ = readBigEndian(data, trailer + 8, 8);
        top_ = readBigEndian(data, trailer + 16, 8);
        tableOffset_ = readBigEndian(data, trailer + 24, 8);
        return offsetSize_ >= 1 && offsetSize_ <= 8 && refSize_ >= 1 && refSize_ <= 8 &&
               objectCount_ > 0 && top_ < objectCount_ && tableOffset_ >= binaryMagic.size() &&
               tableOffset_ <= trailer && objectCount_ <= (trailer - tableOffset_) / offsetSize_;
    }

    // Walks every path from the top object, depth first with a stack of its
    // own; false at the first container too deep, reference or offset outside
    // the table, or once maxPlistNodes nodes have been met.
    bool walkWithin(std::size_t maxDepth) const {
        std::vector<std::pair<std::uint64_t, std::size_t>> pending{{top_, 1}};
        std::size_t nodes = 1;
        std::vector<std::uint64_t> children;
        while (!pending.empty()) {
            auto [index, depth] = pending.back();
            pending.pop_back();
            children.clear();
            bool isContainer = false;
            if (!readObject(index, isContainer, children)) {
                return false;
            }
            if (!isContainer) {
                continue;
            }
            if (depth > maxDepth || children.size() > maxPlistNodes - nodes) {
                return false;
            }
            nodes += children.size();
            for (std::uint64_t child : children) {
                pending.emplace_back(child, depth + 1);
            }
        }
        return true;
    }

private:
    // The references an object holds, or false when it does not fit the file.
    bool readObject(std::uint64_t index, bool& isContainer,
                    std::vector<std::uint64_t>& children) const {
        std::uint64_t offset =
            readBigEndian(data_, tableOffset_ + index * offsetSize_, offsetSize_);
        // Objects lie between the header and the offset table.
        if (offset < binaryMagic.size() || offset >= tableOffset_) {
            return false;
        }
        auto marker = static_cast<unsigned char>(data_[offset]);
        unsigned kind = marker >> 4;
        // Arrays, ordered and unordered sets, and dictionaries hold other objects.
        isContainer = kind == 0xA || kind == 0xB || kind == 0xC || kind == 0xD;
        if (!isContainer) {
            return true;
        }
        std::uint64_t count = marker & 0x0F;
        std::uint64_t at = offset + 1;
        if (count == 0x0F) {  // the count follows as an integer object
            if (at >= tableOffset_) {
                return false;
            }
            auto intMarker = static_cast<unsigned char>(data_[at]);
            unsigned sizeLog = intMarker & 0x0F;
            if ((intMarker >> 4) != 0x1 || sizeLog > 3 || (1u << sizeLog) > tableOffset_ - at - 1) {
                return false;
            }
            count = readBigEndian(data_, at + 1, 1u << sizeLog);
            at += 1 + (1u << sizeLog);
        }
        std::uint64_t available = (tableOffset_ - at) / refSize_;
        std::uint64_t refs = kind == 0xD ? count * 2 : count;
        if (count > available || refs > available || refs > maxPlistNodes) {
            return false;
        }
        for (std::uint64_t k = 0; k < refs; ++k) {
            std::uint64_t ref = readBigEndian(data_, at + k * refSize_, refSize_);
            if (ref >= objectCount_) {
                return false;
            }
            children.push_back(ref);
        }
        return true;
    }

    std::string_view data_;
    std::size_t offsetSize_ = 0;
    std::size_t refSize_ = 0;
    std::uint64_t objectCount_ = 0;
    std::uint64_t top_ = 0;
    std::uint64_t tableOffset_ = 0;
};

}  // namespace

bool isBinaryPlist(std::string_view data) {
    return data.starts_with(binaryMagic);
}

bool plistNestingWithin(std::string_view data, std::size_t maxDepth) {
    if (!isBinaryPlist(data)) {
        return xmlNestingWithin(data, maxDepth);
    }
    BinaryTable table;
    return table.open(data) && table.walkWithin(maxDepth);
}

}  // namespace vantor
