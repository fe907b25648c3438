#include "link/messages.h"

#include "params/baudmath.h"

namespace {
// Values loaded from a file are not range-checked, so sums are taken in 64 bits before the low 16
// bits are kept.
Write little16(std::int64_t value)
{
    const auto v = static_cast<std::uint16_t>(value);
    return {static_cast<std::uint8_t>(v & 0xFF), static_cast<std::uint8_t>(v >> 8)};
}

std::uint8_t byte(std::int32_t value)
{
    return static_cast<std::uint8_t>(value);
}
} // namespace

Message livePositionMessage(int servo, int position)
{
    return {setupLine, {{0xFE}, {byte(servo)}, little16(std::int64_t{position} + wireOffset)}};
}

Message miniSscTestMessage(int address, int servo, int position, int baud)
{
    const std::int64_t number = std::int64_t{address} + servo;
    return {{baud, 'N', 8, 1},
            {{0xFF},
             {number > 255 ? std::uint8_t{255} : byte(std::int32_t(number))},
             {byte(position)}}};
}

Message nativeTestMessage(int servo, int position, int baud)
{
    std::array<std::uint8_t, servoCount> positions;
    positions.fill(0x80);
    if (servo >= 0 && servo < servoCount)
        positions[std::size_t(servo)] = byte(position);
    return nativePoseMessage(positions, baud);
}

Message nativePoseMessage(const std::array<std::uint8_t, servoCount> &positions, int baud)
{
    Write bytes{0xFF, 0xFF, 0x08, 0x00};
    bytes.insert(bytes.end(), positions.begin(), positions.end());
    bytes.push_back(0x00);
    return {{baud, 'N', 8, 1}, {bytes}};
}

std::uint8_t modeByte(bool nativeFormat, bool digitalController)
{
    return static_cast<std::uint8_t>((nativeFormat ? 2 : 0) | (digitalController ? 1 : 0));
}

UploadContent uploadContentOf(const SettingsFileContent &content)
{
    const BoardChoices chosen = choicesOf(content);
    UploadContent upload;
    upload.address = content.address;
    upload.baudDivisor =
        baudFigures(content.baudRate, chosen.nativeFormat, chosen.digitalController).divisor;
    upload.nativeFormat = chosen.nativeFormat;
    upload.digitalController = chosen.digitalController;
    upload.sweepStarts = content.sweepStarts;
    upload.sweepEnds = content.sweepEnds;
    return upload;
}

Message uploadSequence(const UploadContent &content)
{
    Message message{setupLine, std::vector<Write>(5, Write{0xFF})};
    std::vector<Write> &writes = message.writes;
    writes.push_back(little16(content.address));
    writes.push_back({byte(content.baudDivisor)});
    writes.push_back({modeByte(content.nativeFormat, content.digitalController)});
    // 16-bit arithmetic, as the board takes it: the span wraps rather than saturates.
    for (int i = 0; i < servoCount; ++i)
        writes.push_back(little16(std::int64_t{content.sweepEnds[i]} - content.sweepStarts[i]));
    for (int i = 0; i < servoCount; ++i)
        writes.push_back(little16(std::int64_t{content.sweepStarts[i]} + wireOffset));
    return message;
}
