// Any text as a mode string: a string that parses says the same when written out again.
#include "link/modestring.h"

#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    const std::optional<LineSettings> line = parseModeString(text);
    if (!line)
        return 0;
    if (line->dataBits < 5 || line->dataBits > 8 || (line->stopBits != 1 && line->stopBits != 2))
        std::abort();
    const std::string again = std::to_string(line->baud) + ',' + line->parity + ',' +
                              std::to_string(line->dataBits) + ',' + std::to_string(line->stopBits);
    if (parseModeString(again) != line)
        std::abort();
    return 0;
}
