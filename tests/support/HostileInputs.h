#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "support/TempTree.h"

namespace vantor::testing {

// Builds binary plists object by object, references unchecked, so a test can make any object table.
class BinaryPlistBuilder {
public:
    std::size_t addString(std::string_view ascii);
    std::size_t addArray(std::vector<std::uint64_t> refs);
    // Keys first, then values, as the format stores them.
    std::size_t addDict(std::vector<std::uint64_t> keyRefs, std::vector<std::uint64_t> valueRefs);

    std::size_t size() const { return objects_.size(); }

    // The file with `top` as its top object; references and offsets take eight bytes.
    std::string build(std::uint64_t top) const;

private:
    struct Object {
        std::uint8_t kind;  // the marker's high nibble
        std::string ascii;
        std::vector<std::uint64_t> refs;
    };
    std::vector<Object> objects_;
};

// XML Info.plist {CFBundleName: name, CFBundleIconFile: "icon.png", Deep: `depth` nested arrays}.
std::string deepXmlPlist(std::size_t depth, std::string_view name = "Deep");
// The same as a binary property list.
std::string deepBinaryPlist(std::size_t depth, std::string_view name = "Deep");
std::string repeated(std::string_view text, std::size_t times);
// Bundles under `folder`, each with what its Contents/Info.plist is and whether a reader may
// trust it: nested 63 levels (trusted) or deeper, a link to /dev/zero, a folder, a FIFO. Where
// the plist can name an icon file, it names Contents/Resources/icon.png.
struct PlistBundle {
    std::string what, path;
    bool trusted;
};
std::vector<PlistBundle> makePlistBundles(const TempTree& tree, const std::string& folder);
// A JSON array nesting `depth` levels around `inner`.
std::string deepJsonArray(std::size_t depth, std::string_view inner = "");

}  // namespace vantor::testing
