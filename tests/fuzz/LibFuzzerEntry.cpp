// The entry point libFuzzer calls; VANTOR_FUZZ_TARGET names one of the targets in FuzzTargets.h.
#include "fuzz/FuzzTargets.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return vantor::fuzz::VANTOR_FUZZ_TARGET(data, size);
}
