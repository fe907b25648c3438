#pragma once

#include <array>
#include <cstdint>

inline constexpr int servoCount = 8;

// The settings record: each servo's sweep, the chosen port, the dial's two angles and the board's
// baud divisor; one per window. The board address, baud rate text, data format and function have
// no copy here: the window's controls hold them and readers take them from there.
struct ServoSettings
{
    std::array<std::int32_t, servoCount> sweepStarts{1843, 1843, 1843, 1843,
                                                     1843, 1843, 1843, 1843};
    std::array<std::int32_t, servoCount> sweepEnds{5529, 5529, 5529, 5529, 5529, 5529, 5529, 5529};
    std::int32_t comPort = 0; // 0 none, 1 to 4 for COM1 to COM4
    std::int32_t dialStartAngle = 45;
    std::int32_t dialEndAngle = 135;
    std::int32_t baudDivisor = 95; // the divisor for 9600 baud
};
