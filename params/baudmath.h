#pragma once

#include <cstdint>

// The board divides this clock by the divisor plus one.
inline constexpr std::int32_t divisorBase = 921600;
// The divisor is one byte on the wire: a rate that needs a larger one cannot be set, and uploading
// the low bits of its divisor would set the board to a rate nobody chose.
inline constexpr std::int32_t largestDivisor = 255;
constexpr bool divisorAchievable(std::int32_t divisor)
{
    return divisor <= largestDivisor;
}

// 921600 / baud - 1, rounded half up, in single precision as the board's tables were made.
// A rate of 0 has no divisor; it gets one far above the byte's range.
std::int32_t baudDivisorFor(std::int32_t baud);

// What the "Baud Rate" group shows for a typed rate and the two choices.
struct BaudFigures
{
    std::int32_t divisor = 0; // stored as typed, above 255 when not achievable
    bool achievable = false;
    // The rest holds only when achievable; the capacity caption then stays as it was.
    std::int32_t capacity = 0;   // servos, or outputs for the digital controller
    bool outputs = false;        // "Max real time outputs:" rather than "... servos:"
    std::int32_t actualRate = 0; // from the divisor, not the typed rate
};

BaudFigures baudFigures(std::int32_t baud, bool nativeFormat, bool digitalController);

// The numeric fields let backspace and the digits through; everything else is discarded.
bool numericKeyPasses(char key);
