#include "link/plainfile_posix.h"
#include "settings/fileaccess.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

bool lockForWriting(int fd)
{
    return ::flock(fd, LOCK_EX | LOCK_NB) == 0;
}

int keepOwner(int fd, const std::string &path)
{
    struct stat existing = {};
    if (::stat(path.c_str(), &existing) != 0)
        return 0; // nothing there to take after
    // Without the right to give a file away, EPERM: the file is the writer's, as any file it makes.
    if (::fchown(fd, existing.st_uid, existing.st_gid) != 0 && errno != EPERM)
        return errno;
    return 0;
}

int syncToDisk(int fd)
{
    return ::fsync(fd) == 0 ? 0 : errno;
}

FileRead readRegularFile(const std::string &path, std::size_t limit)
{
    using Failure = FileRead::Failure;
    Descriptor file{-1};
    struct stat node = {};
    const JudgedName judged = openRegularFile(path, true, file, node);
    if (judged.kind != JudgedName::Kind::regularFile)
        return refusedRead(judged);
    // Shared with nobody while it is read; released when it closes.
    if (::flock(file.fd, LOCK_EX | LOCK_NB) != 0)
        return {{}, errno == EWOULDBLOCK ? Failure::heldByAnother : Failure::cannotRead, errno};

    FileRead result;
    result.bytes.resize(limit);
    std::size_t got = 0;
    while (got < limit) {
        const ssize_t n = ::read(file.fd, result.bytes.data() + got, limit - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return {{}, Failure::cannotRead, errno};
        if (n == 0)
            break;
        got += std::size_t(n);
    }
    result.bytes.resize(got);
    return result;
}
