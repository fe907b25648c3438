#include "link/plainfile.h"

#include <algorithm>
#include <array>
#include <string_view>

bool windowsReservedName(const std::string &path)
{
    const std::size_t slash = path.find_last_of("/\\");
    std::string_view base(path);
    if (slash != std::string_view::npos)
        base.remove_prefix(slash + 1);
    base = base.substr(0, base.find('.'));
    while (!base.empty() && (base.back() == ' ' || base.back() == ':'))
        base.remove_suffix(1);
    std::string upper(base);
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; });
    for (const char *device : {"CON", "PRN", "AUX", "NUL"})
        if (upper == device)
            return true;
    if (upper.size() < 4 || (upper.compare(0, 3, "COM") != 0 && upper.compare(0, 3, "LPT") != 0))
        return false;
    const std::string_view number = std::string_view(upper).substr(3);
    // The superscripts in UTF-8: U+00B9, U+00B2, U+00B3.
    constexpr std::array<std::string_view, 3> superscripts{"\xC2\xB9", "\xC2\xB2", "\xC2\xB3"};
    return (number.size() == 1 && number[0] >= '1' && number[0] <= '9') ||
           std::find(superscripts.begin(), superscripts.end(), number) != superscripts.end();
}
