#include "link/portrecord.h"

#include "link/plainfile.h"

#include <cctype>
#include <charconv>
#include <cstdio>
#include <vector>

namespace {
constexpr std::string_view header = "corvantis-panel com-ports 1";

// Fields are separated by tabs, records by newlines: those, the escape itself and every other
// control byte are written as %XX. USB strings may hold anything.
std::string escaped(const std::string &field)
{
    std::string out;
    for (const char c : field) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F || c == '%') {
            char code[4];
            std::snprintf(code, sizeof code, "%%%02X", byte);
            out += code;
        } else {
            out += c;
        }
    }
    return out;
}

std::optional<std::string> unescaped(std::string_view field)
{
    std::string out;
    for (size_t i = 0; i < field.size(); ++i) {
        const auto byte = static_cast<unsigned char>(field[i]);
        if (byte < 0x20 || byte == 0x7F)
            return std::nullopt;
        if (field[i] != '%') {
            out += field[i];
            continue;
        }
        if (i + 2 >= field.size())
            return std::nullopt;
        const std::string hex(field.substr(i + 1, 2));
        if (!std::isxdigit(static_cast<unsigned char>(hex[0])) ||
            !std::isxdigit(static_cast<unsigned char>(hex[1])))
            return std::nullopt;
        out += static_cast<char>(std::stoi(hex, nullptr, 16));
        i += 2;
    }
    return out;
}

std::vector<std::string_view> split(std::string_view text, char separator)
{
    std::vector<std::string_view> parts;
    for (;;) {
        const size_t at = text.find(separator);
        parts.push_back(text.substr(0, at));
        if (at == std::string_view::npos)
            return parts;
        text.remove_prefix(at + 1);
    }
}
} // namespace

std::string encodePortNumbers(const PortNumbers &numbers)
{
    std::string text(header);
    text += '\n';
    for (int i = 0; i < recordedPortCount; ++i) {
        const std::optional<RecordedAdapter> &a = numbers[i];
        if (!a)
            continue;
        text += std::to_string(i + 1) + '\t' + std::to_string(a->lastSeen) + '\t' +
                escaped(a->device.serialKey) + '\t' + escaped(a->device.pathKey) + '\t' +
                escaped(a->device.node) + '\t' + escaped(a->device.description) + '\n';
    }
    return text;
}

std::optional<PortNumbers> decodePortNumbers(const std::string &text)
{
    std::vector<std::string_view> lines = split(text, '\n');
    if (lines.size() < 2 || lines.front() != header || !lines.back().empty())
        return std::nullopt;
    PortNumbers numbers;
    for (size_t l = 1; l + 1 < lines.size(); ++l) {
        const std::vector<std::string_view> f = split(lines[l], '\t');
        if (f.size() != 6 || f[0].size() != 1 || f[0][0] < '1' ||
            f[0][0] >= '1' + recordedPortCount)
            return std::nullopt;
        std::optional<RecordedAdapter> &slot = numbers[f[0][0] - '1'];
        if (slot)
            return std::nullopt;
        long long lastSeen = 0;
        const auto [end, fault] = std::from_chars(f[1].data(), f[1].data() + f[1].size(), lastSeen);
        if (f[1].empty() || fault != std::errc() || end != f[1].data() + f[1].size())
            return std::nullopt;
        std::optional<std::string> fields[4];
        for (int i = 0; i < 4; ++i)
            if (!(fields[i] = unescaped(f[2 + i])))
                return std::nullopt;
        // An adapter is told apart by its serial number or its socket; a line with neither is
        // no record of an adapter.
        if (fields[0]->empty() && fields[1]->empty())
            return std::nullopt;
        slot = RecordedAdapter{{*fields[2], *fields[3], *fields[0], *fields[1]}, lastSeen};
    }
    return numbers;
}

PortNumbers readPortRecord(const std::string &path)
{
    if (path.empty())
        return {};
    // A record holds four short lines; anything else at its name (far larger, a pipe, a link, a
    // device) is no record of ours and is built anew, without waiting for it or opening what it
    // leads to.
    const std::optional<PlainFile> file = readPlainFile(path, 4096);
    if (!file)
        return {};
    return decodePortNumbers(file->text).value_or(PortNumbers{});
}
