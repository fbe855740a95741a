#pragma once

#include <cstdint>
#include <optional>

// Mode 1 asks for the keep-above band, 0 for normal stacking; any other mode asks for nothing.
inline std::optional<bool> aboveForMode(std::int16_t mode)
{
    if (mode != 0 && mode != 1)
        return std::nullopt;
    return mode == 1;
}
