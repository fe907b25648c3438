#pragma once

#include "link/modestring.h"
#include "settings/settings.h"
#include "settings/svofile.h"

#include <array>
#include <cstdint>
#include <vector>

// Every message to the board, as the list of writes it is handed to the port in: the grouping of
// bytes into writes is part of each format. Multi-byte values go low byte first. Each message
// carries the line settings it goes at.
using Write = std::vector<std::uint8_t>;
struct Message
{
    LineSettings line = setupLine;
    std::vector<Write> writes;

    bool operator==(const Message &) const = default;
};

// The board receives a sweep position plus this offset.
inline constexpr int wireOffset = 1843;

// FE, servo, wire position: three writes at the setup rate.
Message livePositionMessage(int servo, int position);

// FF, address plus servo (255 when above), slider position: three writes at the board's rate.
Message miniSscTestMessage(int address, int servo, int position, int baud);

// FF FF 08 00, the slider position for the servo and 128 for the other seven, 00: one write at
// the board's rate.
Message nativeTestMessage(int servo, int position, int baud);

// The native form for a whole pose: FF FF 08 00, the eight positions, 00, in one write at the
// board's rate.
Message nativePoseMessage(const std::array<std::uint8_t, servoCount> &positions, int baud);

// 2 for the native "Quorvel" data format, plus 1 for the "Digital Controller" function.
std::uint8_t modeByte(bool nativeFormat, bool digitalController);

struct UploadContent
{
    std::int32_t address = 0;
    std::int32_t baudDivisor = 95;
    bool nativeFormat = false;
    bool digitalController = false;
    std::array<std::int32_t, servoCount> sweepStarts{};
    std::array<std::int32_t, servoCount> sweepEnds{};
};

// What an upload carries for a settings file's content: its divisor is the one the rate needs.
UploadContent uploadContentOf(const SettingsFileContent &content);

// Five FF, address, divisor, mode byte, eight spans, eight starts: 41 bytes in 24 writes.
Message uploadSequence(const UploadContent &content);
