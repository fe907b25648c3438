#pragma once

#include <cstdint>

// Sweep positions run 0..sweepMaximum on the bars; the dial shows them mirrored over the top half
// of a circle, position 0 at 181 degrees and the maximum at 0. Both mappings truncate, so they are
// not exact inverses (angle 45 gives 5485, which maps back to 46).
inline constexpr std::int32_t sweepMaximum = 7300;
inline constexpr std::int32_t dialTopAngle = 181;

std::int32_t dialAngleOfPosition(std::int32_t position, std::int32_t maximum = sweepMaximum);
std::int32_t positionOfDialAngle(std::int32_t angle, std::int32_t maximum = sweepMaximum);
