#include "rc4.h"

#include <array>
#include <utility>

namespace jet::detail {

void rc4Xor(std::span<const std::uint8_t> key, std::span<std::uint8_t> data)
{
    std::array<std::uint8_t, 256> state {};
    for (unsigned i = 0; i < state.size(); ++i)
        state[i] = static_cast<std::uint8_t>(i);
    unsigned j = 0;
    for (unsigned i = 0; i < state.size(); ++i) {
        j = (j + state[i] + key[i % key.size()]) & 0xFF;
        std::swap(state[i], state[j]);
    }
    unsigned a = 0;
    unsigned b = 0;
    for (auto& byte : data) {
        a = (a + 1) & 0xFF;
        b = (b + state[a]) & 0xFF;
        std::swap(state[a], state[b]);
        byte ^= state[(state[a] + state[b]) & 0xFF];
    }
}

} // namespace jet::detail
