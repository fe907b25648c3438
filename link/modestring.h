#pragma once

#include <optional>
#include <string>
#include <string_view>

// Line settings as a mode string gives them: "9600,N,8,1" is 9600 baud, no parity, 8 data bits,
// 1 stop bit.
struct LineSettings
{
    int baud = 9600;   // a rate below 1 cannot be set and leaves the port's speed as it was
    char parity = 'N'; // N, E, O, M or S
    int dataBits = 8;  // 5 to 8
    int stopBits = 1;  // 1 or 2; "1.5" is kept as 2 as the hardware has no such setting

    bool operator==(const LineSettings &) const = default;
};

// The setup rate, at which the board takes its live positions and its settings.
inline constexpr LineSettings setupLine{9600, 'N', 8, 1};

std::optional<LineSettings> parseModeString(std::string_view mode);

// "%d,N,8,1" filled in with the rate.
std::string modeString(int baud);
