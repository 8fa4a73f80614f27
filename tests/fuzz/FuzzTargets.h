#pragma once

#include <cstddef>
#include <cstdint>

// Each takes any bytes and runs the real reader on them. None may crash, hang or leak; a broken
// promise of the reader (text that is not UTF-8, a value that does not survive being saved)
// aborts, so a fuzzer reports it. Always 0, as libFuzzer wants.
namespace vantor::fuzz {

int fuzzInfoPlist(const std::uint8_t* data, std::size_t size);
int fuzzDesktopEntry(const std::uint8_t* data, std::size_t size);
int fuzzSettings(const std::uint8_t* data, std::size_t size);
int fuzzFolders(const std::uint8_t* data, std::size_t size);

}  // namespace vantor::fuzz
