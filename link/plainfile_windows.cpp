#include "link/plainfile.h"
#include "link/text_windows.h"

std::optional<PlainFile> readPlainFile(const std::string &path, std::size_t limit)
{
    // The link itself rather than what it leads to, shared with writers, and never a device: a
    // port opened by mistake would assert DTR.
    const HANDLE file =
        ::CreateFileW(wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                      OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return std::nullopt;
    std::optional<PlainFile> result;
    BY_HANDLE_FILE_INFORMATION info{};
    if (::GetFileType(file) == FILE_TYPE_DISK && ::GetFileInformationByHandle(file, &info) &&
        !(info.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) &&
        info.nFileSizeHigh == 0 && info.nFileSizeLow <= limit) {
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
