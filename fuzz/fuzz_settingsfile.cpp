// Any bytes as a settings file: whatever is accepted writes back to the same 88 bytes, and whatever
// is refused is refused for the reason the bytes give.
#include "settings/dialmapping.h"
#include "settings/svofile.h"

#include <cstdlib>
#include <cstring>

namespace {
// What the decoder must say of one servo's pair, read straight from the bytes.
SettingsFileFault pairFault(const std::uint8_t *data, int servo)
{
    std::int32_t start, end;
    std::memcpy(&start, data + 24 + 8 * servo, 4); // the fuzzer runs little-endian
    std::memcpy(&end, data + 28 + 8 * servo, 4);
    if (start < 0 || start > sweepMaximum || end < 0 || end > sweepMaximum)
        return SettingsFileFault::sweepOutOfRange;
    return start > end ? SettingsFileFault::startAboveEnd : SettingsFileFault::none;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const DecodedSettingsFile decoded = decodeSettingsFile({data, size});
    const bool tagged = size >= 8 && std::memcmp(data, "Servo1.3", 8) == 0;
    if (decoded.content.has_value() != (decoded.fault == SettingsFileFault::none))
        std::abort();
    if (decoded.fault == SettingsFileFault::notSettingsFile) {
        if (tagged)
            std::abort();
        return 0;
    }
    if (!tagged || (decoded.fault == SettingsFileFault::tooShort) != (size < settingsFileSize))
        std::abort();
    if (decoded.fault == SettingsFileFault::tooShort)
        return 0;
    // The first servo whose pair is wrong is named; an accepted file has none.
    const int last = decoded.content ? servoCount : decoded.servo;
    for (int servo = 0; servo < last; ++servo)
        if (pairFault(data, servo) != SettingsFileFault::none)
            std::abort();
    if (!decoded.content) {
        if (pairFault(data, decoded.servo) != decoded.fault)
            std::abort();
        return 0;
    }
    const auto bytes = encodeSettingsFile(*decoded.content);
    if (std::memcmp(bytes.data(), data, settingsFileSize) != 0)
        std::abort();
    if (decodeSettingsFile(bytes).content != decoded.content)
        std::abort();
    return 0;
}
