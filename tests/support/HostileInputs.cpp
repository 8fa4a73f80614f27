#include "support/HostileInputs.h"

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace vantor::testing {
namespace {

void appendBigEndian(std::string& out, std::uint64_t value) {
    for (int i = 7; i >= 0; --i) {
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
}

// A marker with its count: counts of 15 and more follow as an integer object.
void appendMarker(std::string& out, std::uint8_t kind, std::uint64_t count) {
    if (count < 15) {
        out.push_back(static_cast<char>((kind << 4) | count));
        return;
    }
    out.push_back(static_cast<char>((kind << 4) | 0x0F));
    out.push_back(static_cast<char>(0x13));  // an 8-byte integer
    appendBigEndian(out, count);
}

}  // namespace

std::size_t BinaryPlistBuilder::addString(std::string_view ascii) {
    objects_.push_back({0x5, std::string(ascii), {}});
    return objects_.size() - 1;
}

std::size_t BinaryPlistBuilder::addArray(std::vector<std::uint64_t> refs) {
    objects_.push_back({0xA, "", std::move(refs)});
    return objects_.size() - 1;
}

std::size_t BinaryPlistBuilder::addDict(std::vector<std::uint64_t> keyRefs,
                                        std::vector<std::uint64_t> valueRefs) {
    std::vector<std::uint64_t> refs = std::move(keyRefs);
    refs.insert(refs.end(), valueRefs.begin(), valueRefs.end());
    objects_.push_back({0xD, "", std::move(refs)});
    return objects_.size() - 1;
}

std::string BinaryPlistBuilder::build(std::uint64_t top) const {
    std::string out = "bplist00";
    std::vector<std::uint64_t> offsets;
    offsets.reserve(objects_.size());
    for (const Object& object : objects_) {
        offsets.push_back(out.size());
        if (object.kind == 0x5) {
            appendMarker(out, object.kind, object.ascii.size());
            out += object.ascii;
            continue;
        }
        std::uint64_t count = object.kind == 0xD ? object.refs.size() / 2 : object.refs.size();
        appendMarker(out, object.kind, count);
        for (std::uint64_t ref : object.refs) {
            appendBigEndian(out, ref);
        }
    }
    std::uint64_t tableOffset = out.size();
    for (std::uint64_t offset : offsets) {
        appendBigEndian(out, offset);
    }
    out.append(6, '\0');
    out.push_back(8);  // offset size
    out.push_back(8);  // reference size
    appendBigEndian(out, objects_.size());
    appendBigEndian(out, top);
    appendBigEndian(out, tableOffset);
    return out;
}

std::string repeated(std::string_view text, std::size_t times) {
    std::string out;
    for (std::size_t i = 0; i < times; ++i) {
        out += text;
    }
    return out;
}

std::string deepXmlPlist(std::size_t depth, std::string_view name) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\"><dict>"
           "<key>CFBundleName</key><string>" +
           std::string(name) +
           "</string><key>CFBundleIconFile</key><string>icon.png</string><key>Deep</key>" +
           repeated("<array>", depth) + repeated("</array>", depth) + "</dict></plist>\n";
}

std::string deepBinaryPlist(std::size_t depth, std::string_view name) {
    BinaryPlistBuilder builder;
    std::uint64_t nameKey = builder.addString("CFBundleName");
    std::uint64_t nameValue = builder.addString(name);
    std::uint64_t iconKey = builder.addString("CFBundleIconFile");
    std::uint64_t iconValue = builder.addString("icon.png");
    std::uint64_t deepKey = builder.addString("Deep");
    std::uint64_t top =
        builder.addDict({nameKey, iconKey, deepKey}, {nameValue, iconValue, builder.size() + 1});
    for (std::size_t level = 1; level < depth; ++level) {
        builder.addArray({builder.size() + 1});
    }
    builder.addArray({});
    return builder.build(top);
}

std::string deepJsonArray(std::size_t depth, std::string_view inner) {
    return std::string(depth, '[') + std::string(inner) + std::string(depth, ']');
}

std::vector<PlistBundle> makePlistBundles(const TempTree& tree, const std::string& folder) {
    std::vector<PlistBundle> made;
    auto plist = [&](const std::string& what, const std::string& name, bool trusted = false) {
        made.push_back({what, tree.path(folder + "/" + name + ".app"), trusted});
        return tree.folder(folder + "/" + name + ".app/Contents") + "/Info.plist";
    };
    std::ofstream(plist("XML nested 63 deep", "Xml63", true)) << deepXmlPlist(63);
    std::ofstream(plist("binary nested 63 deep", "Binary63", true)) << deepBinaryPlist(63);
    std::ofstream(plist("XML nested 64 deep", "Xml64")) << deepXmlPlist(64);
    std::ofstream(plist("binary nested 64 deep", "Binary64")) << deepBinaryPlist(64);
    std::ofstream(plist("XML nested 200,000 deep", "XmlDeep")) << deepXmlPlist(200'000);
    std::ofstream(plist("binary nested 120,000 deep", "BinaryDeep")) << deepBinaryPlist(120'000);
    std::filesystem::create_symlink("/dev/zero", plist("a link to /dev/zero", "Zero"));
    std::filesystem::create_directory(plist("a folder", "Folder"));
    if (::mkfifo(plist("a FIFO", "Pipe").c_str(), 0644) != 0) {
        throw std::runtime_error("cannot make a FIFO");
    }
    return made;
}

}  // namespace vantor::testing
