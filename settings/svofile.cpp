#include "settings/svofile.h"

#include "settings/dialmapping.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr char tag[] = "Servo1.3";
constexpr std::size_t tagSize = sizeof tag - 1;

void put32(std::uint8_t *at, std::int32_t value)
{
    const auto v = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i)
        at[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

std::int32_t get32(const std::uint8_t *at)
{
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i)
        v |= std::uint32_t{at[i]} << (8 * i);
    return static_cast<std::int32_t>(v);
}
} // namespace

BoardChoices choicesOf(const SettingsFileContent &content)
{
    return {content.formatCode == 0, content.functionCode != 0};
}

void storeChoices(SettingsFileContent &content, const BoardChoices &choices)
{
    content.formatCode = choices.nativeFormat ? 0 : 1;
    content.functionCode = choices.digitalController ? 1 : 0;
}

std::array<std::uint8_t, settingsFileSize> encodeSettingsFile(const SettingsFileContent &content)
{
    std::array<std::uint8_t, settingsFileSize> bytes{};
    std::memcpy(bytes.data(), tag, tagSize);
    put32(&bytes[8], content.address);
    put32(&bytes[12], content.baudRate);
    put32(&bytes[16], content.formatCode);
    put32(&bytes[20], content.functionCode);
    for (int servo = 0; servo < servoCount; ++servo) {
        put32(&bytes[24 + 8 * servo], content.sweepStarts[servo]);
        put32(&bytes[28 + 8 * servo], content.sweepEnds[servo]);
    }
    return bytes;
}

DecodedSettingsFile decodeSettingsFile(std::span<const std::uint8_t> bytes)
{
    // The tag is compared as a text that ends at its first zero byte, read over a buffer that
    // starts as "ABCDEFGH": a short file or a zero byte in the first eight never matches.
    char read[tagSize + 1] = "ABCDEFGH";
    std::copy_n(bytes.begin(), std::min(bytes.size(), tagSize), read); // an empty span may be null
    if (std::strcmp(read, tag) != 0)
        return {std::nullopt, SettingsFileFault::notSettingsFile};
    // A tagged file too short for every field is taken as no settings file at all, rather than
    // restoring some fields and guessing the rest.
    if (bytes.size() < settingsFileSize)
        return {std::nullopt, SettingsFileFault::tooShort};

    SettingsFileContent content;
    content.address = get32(&bytes[8]);
    content.baudRate = get32(&bytes[12]);
    content.formatCode = get32(&bytes[16]);
    content.functionCode = get32(&bytes[20]);
    for (int servo = 0; servo < servoCount; ++servo) {
        content.sweepStarts[servo] = get32(&bytes[24 + 8 * servo]);
        content.sweepEnds[servo] = get32(&bytes[28 + 8 * servo]);
    }
    // Nothing the bars or the dial edit lies outside the bars' range or has its start above its
    // end; such a sweep would reach the board as a position below its offset or a huge span.
    for (int servo = 0; servo < servoCount; ++servo) {
        const std::int32_t start = content.sweepStarts[servo];
        const std::int32_t end = content.sweepEnds[servo];
        if (start < 0 || start > sweepMaximum || end < 0 || end > sweepMaximum)
            return {std::nullopt, SettingsFileFault::sweepOutOfRange, servo};
        if (start > end)
            return {std::nullopt, SettingsFileFault::startAboveEnd, servo};
    }
    return {content};
}
