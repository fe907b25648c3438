#pragma once

#include <cstdint>

// The least distance between start and end when edited with the bars.
inline constexpr std::int32_t minimumSweep = 100;

struct SweepPair
{
    std::int32_t start = 0;
    std::int32_t end = 0;

    bool operator==(const SweepPair &) const = default;
};

// The pair a servo is left with when a load puts `loaded` into the bars, the start bar first and
// then the end bar, each through its change handling, while they show `shown`: a bar that moves
// gives way to keep the least distance to the other; a bar that does not move changes nothing.
SweepPair pairAfterSettingBars(const SweepPair &shown, const SweepPair &loaded,
                               std::int32_t maximum);
