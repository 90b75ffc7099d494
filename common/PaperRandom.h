#pragma once

#include <cstdint>

namespace olv {

// The generator behind every paper: the same seed always gives the same paper, on every
// machine, so its arithmetic is fixed to the bit.
class PaperRandom
{
public:
    explicit PaperRandom(std::uint32_t seed = 0)
        : m_state(seed)
    { }

    void seed(std::uint32_t seed) { m_state = seed; }
    // A number from 0 to 32767.
    int draw();
    std::uint32_t state() const { return m_state; }

private:
    std::uint32_t m_state;
};

} // namespace olv
