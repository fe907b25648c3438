#include "link/plainfile_windows.h"
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
    // Shared with nobody while it is read, as a file another program is writing must not be
    // taken half-written.
    HANDLE file = INVALID_HANDLE_VALUE;
    const JudgedName judged = openRegularFile(path, true, 0, file);
    if (judged.kind == JudgedName::Kind::cannotOpen && judged.error == ERROR_SHARING_VIOLATION)
        return {{}, Failure::heldByAnother, judged.error};
    if (judged.kind != JudgedName::Kind::regularFile)
        return refusedRead(judged);
    FileRead result;
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
