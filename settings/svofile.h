#pragma once

#include "settings/settings.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>

// A settings file: exactly 88 bytes, the tag "Servo1.3" and then signed 32-bit little-endian
// numbers: address, baud rate as typed, format code (0 native "Quorvel", else "Mini SSC"),
// function code (0 "Servo Controller", else "Digital Controller"), and each servo's start and
// end in turn.
inline constexpr std::size_t settingsFileSize = 88;

struct SettingsFileContent
{
    std::int32_t address = 0;
    std::int32_t baudRate = 9600;
    std::int32_t formatCode = 1;
    std::int32_t functionCode = 0;
    std::array<std::int32_t, servoCount> sweepStarts{};
    std::array<std::int32_t, servoCount> sweepEnds{};

    bool operator==(const SettingsFileContent &) const = default;
};

// The two choices a file's codes stand for. A file stores 0 for the first of each pair and 1 for
// the second; any code other than 0 reads as the second.
struct BoardChoices
{
    bool nativeFormat = false;      // "Quorvel" rather than "Mini SSC"
    bool digitalController = false; // "Digital Controller" rather than "Servo Controller"

    bool operator==(const BoardChoices &) const = default;
};
BoardChoices choicesOf(const SettingsFileContent &content);
void storeChoices(SettingsFileContent &content, const BoardChoices &choices);

std::array<std::uint8_t, settingsFileSize> encodeSettingsFile(const SettingsFileContent &content);

// Why a file is refused as a whole.
enum class SettingsFileFault
{
    none,
    notSettingsFile, // no tag at its start
    tooShort,        // tagged, but shorter than 88 bytes
    sweepOutOfRange, // a start or end outside the bars' 0..7300
    startAboveEnd,
};

struct DecodedSettingsFile
{
    std::optional<SettingsFileContent> content; // nothing when the file is refused
    SettingsFileFault fault = SettingsFileFault::none;
    int servo = 0; // the first servo whose sweep is refused
};

// Bytes after the 88th are ignored.
DecodedSettingsFile decodeSettingsFile(std::span<const std::uint8_t> bytes);
