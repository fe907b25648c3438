#include "link/modestring.h"

#include "params/decimal.h"

#include <array>

std::optional<LineSettings> parseModeString(std::string_view mode)
{
    std::array<std::string_view, 4> fields;
    for (size_t i = 0; i < fields.size(); ++i) {
        const size_t comma = mode.find(',');
        if ((comma == std::string_view::npos) != (i == fields.size() - 1))
            return std::nullopt;
        fields[i] = mode.substr(0, comma);
        mode.remove_prefix(comma == std::string_view::npos ? mode.size() : comma + 1);
    }

    LineSettings line;
    const std::optional<std::int32_t> baud = parseDecimal(fields[0]);
    if (!baud)
        return std::nullopt;
    line.baud = *baud;

    if (fields[1].size() != 1)
        return std::nullopt;
    switch (fields[1][0]) {
    case 'N':
    case 'n':
        line.parity = 'N';
        break;
    case 'E':
    case 'e':
        line.parity = 'E';
        break;
    case 'O':
    case 'o':
        line.parity = 'O';
        break;
    case 'M':
    case 'm':
        line.parity = 'M';
        break;
    case 'S':
    case 's':
        line.parity = 'S';
        break;
    default:
        return std::nullopt;
    }

    if (fields[2].size() != 1 || fields[2][0] < '5' || fields[2][0] > '8')
        return std::nullopt;
    line.dataBits = fields[2][0] - '0';

    if (fields[3] == "1")
        line.stopBits = 1;
    else if (fields[3] == "2" || fields[3] == "1.5")
        line.stopBits = 2;
    else
        return std::nullopt;
    return line;
}

std::string modeString(int baud)
{
    return std::to_string(baud) + ",N,8,1";
}
