#pragma once

#include <cstdint>
#include <span>

namespace vantor {

// Fills `bytes` from the kernel's random source (getrandom, else
// /dev/urandom): fit for identifiers that must not collide across machines
// and restarts.
void fillRandomBytes(std::span<std::uint8_t> bytes);

}  // namespace vantor
