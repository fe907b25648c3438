#include "link/plainfile_windows.h"

#include <cctype>
#include <cstring>

namespace {
// A name in the device namespace (\\.\COM1, \\?\GLOBALROOT\...) rather than a file's; \\?\C:\ and
// \\?\UNC\ are long file names.
bool deviceNamespace(const std::string &path)
{
    auto separator = [](char c) { return c == '\\' || c == '/'; };
    if (path.size() < 4 || !separator(path[0]) || !separator(path[1]) || !separator(path[3]))
        return false;
    if (path[2] == '.')
        return true;
    if (path[2] != '?')
        return false;
    const std::string rest = path.substr(4);
    const bool drive = rest.size() >= 3 && std::isalpha(static_cast<unsigned char>(rest[0])) &&
                       rest[1] == ':' && separator(rest[2]);
    const bool unc =
        rest.size() >= 4 && ::_strnicmp(rest.c_str(), "UNC", 3) == 0 && separator(rest[3]);
    return !drive && !unc;
}

JudgedName judgedByName(const std::string &path, const std::wstring &name)
{
    using Kind = JudgedName::Kind;
    if (windowsReservedName(path))
        return {Kind::reservedName, 0};
    if (deviceNamespace(path))
        return {Kind::notRegularFile, 0};
    const DWORD attributes = ::GetFileAttributesW(name.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = ::GetLastError();
        return {error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? Kind::missing
                                                                               : Kind::cannotOpen,
                int(error)};
    }
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        return {Kind::notRegularFile, 0};
    return {Kind::regularFile, 0};
}
} // namespace

JudgedName judgeFileName(const std::string &path)
{
    return judgedByName(path, wide(path));
}

JudgedName openRegularFile(const std::string &path, bool followLink, DWORD share, HANDLE &file)
{
    using Kind = JudgedName::Kind;
    file = INVALID_HANDLE_VALUE;
    const std::wstring name = wide(path);
    const JudgedName judged = judgedByName(path, name);
    // Attributes that cannot be read (no right to them) leave the open to say why.
    if (judged.kind != Kind::regularFile && judged.kind != Kind::cannotOpen)
        return judged;
    file =
        ::CreateFileW(name.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING,
                      followLink ? FILE_ATTRIBUTE_NORMAL : FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return {Kind::cannotOpen, int(::GetLastError())};
    BY_HANDLE_FILE_INFORMATION info{};
    if (::GetFileType(file) != FILE_TYPE_DISK || !::GetFileInformationByHandle(file, &info) ||
        (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ||
        (!followLink && (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))) {
        ::CloseHandle(file);
        file = INVALID_HANDLE_VALUE;
        return {Kind::notRegularFile, 0};
    }
    return {Kind::regularFile, 0};
}

std::optional<PlainFile> readPlainFile(const std::string &path, std::size_t limit)
{
    // Shared with writers: the file is only looked at.
    HANDLE file = INVALID_HANDLE_VALUE;
    if (openRegularFile(path, false, FILE_SHARE_READ | FILE_SHARE_WRITE, file).kind !=
        JudgedName::Kind::regularFile)
        return std::nullopt;
    std::optional<PlainFile> result;
    BY_HANDLE_FILE_INFORMATION info{};
    if (::GetFileInformationByHandle(file, &info) && info.nFileSizeHigh == 0 &&
        info.nFileSizeLow <= limit) {
        PlainFile read;
        const ULONGLONG ticks = (ULONGLONG(info.ftLastWriteTime.dwHighDateTime) << 32) |
                                info.ftLastWriteTime.dwLowDateTime;
        // From 100 ns ticks since 1601 to the epoch of 1970.
        read.modified = std::chrono::system_clock::time_point(
            std::chrono::duration_cast<std::chrono::system_clock::duration>(
                std::chrono::microseconds((ticks - 116444736000000000ULL) / 10)));
        read.text.resize(limit + 1);
        DWORD got = 0;
        if (::ReadFile(file, read.text.data(), DWORD(read.text.size()), &got, nullptr) &&
            got <= limit) {
            read.text.resize(got);
            result = std::move(read);
        }
    }
    ::CloseHandle(file);
    return result;
}
