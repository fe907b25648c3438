#include "link/portrecord.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <pwd.h>
#include <unistd.h>
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
        const std::string seen(f[1]);
        char *end = nullptr;
        errno = 0;
        const long long lastSeen = std::strtoll(seen.c_str(), &end, 10);
        if (seen.empty() || *end || errno)
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

std::string defaultPortRecordPath()
{
    std::string state;
    if (const char *xdg = std::getenv("XDG_STATE_HOME"); xdg && *xdg == '/') {
        state = xdg;
    } else {
        const char *home = std::getenv("HOME");
        if (!home || !*home)
            if (const passwd *user = ::getpwuid(::getuid()))
                home = user->pw_dir;
        if (!home || !*home)
            return {};
        state = std::string(home) + "/.local/state";
    }
    return state + "/corvantis-panel/com-ports";
}

PortNumbers readPortRecord(const std::string &path)
{
    if (path.empty())
        return {};
    std::ifstream in(path, std::ios::binary);
    // A record holds four short lines; anything far larger is no record of ours.
    char buffer[4096];
    in.read(buffer, sizeof buffer);
    if (in.gcount() == std::streamsize(sizeof buffer))
        return {};
    return decodePortNumbers(std::string(buffer, size_t(in.gcount()))).value_or(PortNumbers{});
}

bool writePortRecord(const std::string &path, const PortNumbers &numbers)
{
    namespace fs = std::filesystem;
    if (path.empty())
        return false;
    std::error_code ec;
    const fs::path folder = fs::path(path).parent_path();
    fs::create_directories(folder, ec);
    std::string temporary = path + ".XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0)
        return false;
    const std::string text = encodePortNumbers(numbers);
    bool written = true;
    for (size_t done = 0; written && done < text.size();) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        written = n > 0;
        done += written ? size_t(n) : 0;
    }
    written = ::close(fd) == 0 && written;
    if (!written || ::rename(temporary.c_str(), path.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    return true;
}
