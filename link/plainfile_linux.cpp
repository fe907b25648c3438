#include "link/descriptor_posix.h"
#include "link/plainfile.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

std::optional<PlainFile> readPlainFile(const std::string &path, std::size_t limit)
{
    // A path handle opens nothing, not even a FIFO or a device: it only names the node, which is
    // looked at before anything is opened.
    const Descriptor named{::open(path.c_str(), O_PATH | O_NOFOLLOW | O_CLOEXEC)};
    struct stat node = {};
    if (named.fd < 0 || ::fstat(named.fd, &node) != 0 || !S_ISREG(node.st_mode) ||
        std::size_t(node.st_size) > limit)
        return std::nullopt;
    // Opened through that handle, so it is the very file looked at even if the name has been
    // given to another since; without /proc, by the name again, checked below to be the same.
    char self[32];
    std::snprintf(self, sizeof self, "/proc/self/fd/%d", named.fd);
    constexpr int flags = O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
    Descriptor file{::open(self, flags)};
    if (file.fd < 0 && errno == ENOENT)
        file.fd = ::open(path.c_str(), flags | O_NOFOLLOW);
    struct stat opened = {};
    if (file.fd < 0 || ::fstat(file.fd, &opened) != 0 || !S_ISREG(opened.st_mode) ||
        opened.st_dev != node.st_dev || opened.st_ino != node.st_ino)
        return std::nullopt;

    PlainFile result;
    result.modified = std::chrono::system_clock::time_point(
        std::chrono::duration_cast<std::chrono::system_clock::duration>(
            std::chrono::seconds(opened.st_mtim.tv_sec) +
            std::chrono::nanoseconds(opened.st_mtim.tv_nsec)));
    // One more byte than the limit: a file that has grown since it was looked at is too large.
    result.text.resize(limit + 1);
    std::size_t got = 0;
    while (got < result.text.size()) {
        const ssize_t n = ::read(file.fd, result.text.data() + got, result.text.size() - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return std::nullopt;
        if (n == 0)
            break;
        got += std::size_t(n);
    }
    if (got > limit)
        return std::nullopt;
    result.text.resize(got);
    return result;
}
