#include <gtest/gtest.h>

#include "discovery/ApplicationListing.h"

namespace vantor {
namespace {

using namespace std::string_literals;

TEST(ApplicationListingTest, EscapesBackslashAndEveryControlCharacterInBothColumns) {
    const std::tuple<std::string, std::string, std::string> cases[] = {
        {"/a/终端.desktop", "终端 Terminal", "/a/终端.desktop\t终端 Terminal"},
        {"/a/x.desktop", "two\nlines\tand a tab", "/a/x.desktop\ttwo\\nlines\\tand a tab"},
        {"/a/back\\slash\n.app", "C:\\new", "/a/back\\\\slash\\n.app\tC:\\\\new"},
        {"/a/x.app", "nul\0cr\rbell\aesc\x1b[2Jdel\x7f"s,
         "/a/x.app\tnul\\x00cr\\x0dbell\\x07esc\\x1b[2Jdel\\x7f"},
        // U+009B is a terminal's one-byte escape; U+00A0 is a space, kept.
        {"/a/x.app", "csi\u009B2J nbsp\u00A0end", "/a/x.app\tcsi\\xc2\\x9b2J nbsp\u00A0end"},
        {"/a/x.app", "cut \xC2", "/a/x.app\tcut \xC2"},
    };
    for (const auto& [id, name, line] : cases) {
        SCOPED_TRACE(line);
        EXPECT_EQ(applicationListingLine({id, name, id}), line);
    }
}

}  // namespace
}  // namespace vantor
