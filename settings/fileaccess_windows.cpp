#include "link/text_windows.h"
#include "settings/fileaccess.h"

#include <io.h>

bool lockForWriting(int file)
{
    OVERLAPPED whole{};
    const HANDLE handle = reinterpret_cast<HANDLE>(::_get_osfhandle(file));
    return ::LockFileEx(handle, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, MAXDWORD,
                        MAXDWORD, &whole) != 0;
}

int keepOwner(int, const std::string &)
{
    // A file made in a folder takes the folder's permissions on Windows: nothing to give back.
    return 0;
}

int syncToDisk(int file)
{
    const HANDLE handle = reinterpret_cast<HANDLE>(::_get_osfhandle(file));
    return ::FlushFileBuffers(handle) ? 0 : int(::GetLastError());
}

FileRead readRegularFile(const std::string &path, std::size_t limit)
{
    using Failure = FileRead::Failure;
    const std::wstring name = wide(path);
    const DWORD attributes = ::GetFileAttributesW(name.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return {{}, Failure::notRegularFile};
    // Shared with nobody while it is read, as a file another program is writing must not be
    // taken half-written.
    const HANDLE file = ::CreateFileW(name.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = ::GetLastError();
        return {{},
                error == ERROR_SHARING_VIOLATION ? Failure::heldByAnother : Failure::cannotOpen,
                int(error)};
    }
    FileRead result;
    // A device (a port, the console) or a pipe is no settings file, and is never read.
    if (::GetFileType(file) != FILE_TYPE_DISK) {
        ::CloseHandle(file);
        return {{}, Failure::notRegularFile};
    }
    result.bytes.resize(limit);
    std::size_t got = 0;
    while (got < limit) {
        DWORD n = 0;
        if (!::ReadFile(file, result.bytes.data() + got, DWORD(limit - got), &n, nullptr)) {
            const DWORD error = ::GetLastError();
            ::CloseHandle(file);
            return {{}, Failure::cannotRead, int(error)};
        }
        if (n == 0)
            break;
        got += n;
    }
    ::CloseHandle(file);
    result.bytes.resize(got);
    return result;
}
