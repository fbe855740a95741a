#pragma once

#include <cstdint>
#include <span>

namespace jet::detail {

// XORs data with the RC4 keystream of key; the same call masks and unmasks.
void rc4Xor(std::span<const std::uint8_t> key, std::span<std::uint8_t> data);

} // namespace jet::detail
