#pragma once

#include <cstdint>
#include <filesystem>
#include <span>

namespace jet::detail {

// Writes a temporary file next to target and renames it over target. On any failure
// the temporary file is removed and Error names target and the reason.
void writeFileAtomically(const std::filesystem::path& target, std::span<const std::uint8_t> bytes);

} // namespace jet::detail
