// Any bytes as a settings file: whatever is accepted writes back to the same 88 bytes.
#include "settings/svofile.h"

#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::optional<SettingsFileContent> content = decodeSettingsFile({data, size});
    if (!content)
        return 0;
    if (size < settingsFileSize)
        std::abort();
    const auto bytes = encodeSettingsFile(*content);
    if (std::memcmp(bytes.data(), data, settingsFileSize) != 0)
        std::abort();
    if (decodeSettingsFile(bytes) != content)
        std::abort();
    return 0;
}
