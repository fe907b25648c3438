#include "link/plainfile_posix.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace {
// A path handle opens nothing, not even a FIFO or a device: it only names the node, which is
// looked at before anything is opened.
JudgedName judged(const std::string &path, bool followLink, Descriptor &named, struct stat &node)
{
    using Kind = JudgedName::Kind;
    named.fd = ::open(path.c_str(), O_PATH | O_CLOEXEC | (followLink ? 0 : O_NOFOLLOW));
    if (named.fd < 0)
        return {errno == ENOENT ? Kind::missing : Kind::cannotOpen, errno};
    if (::fstat(named.fd, &node) != 0)
        return {Kind::cannotOpen, errno};
    return {S_ISREG(node.st_mode) ? Kind::regularFile : Kind::notRegularFile, 0};
}
} // namespace

JudgedName judgeFileName(const std::string &path)
{
    Descriptor named{-1};
    struct stat node = {};
    return judged(path, true, named, node);
}

JudgedName openRegularFile(const std::string &path, bool followLink, Descriptor &file,
                           struct stat &node)
{
    using Kind = JudgedName::Kind;
    Descriptor named{-1};
    const JudgedName judgement = judged(path, followLink, named, node);
    if (judgement.kind != Kind::regularFile)
        return judgement;
    // Opened through that handle, so it is the very file looked at even if the name has been
    // given to another since; without /proc, by the name again, checked below to be the same.
    char self[32];
    std::snprintf(self, sizeof self, "/proc/self/fd/%d", named.fd);
    constexpr int flags = O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
    file.fd = ::open(self, flags);
    if (file.fd < 0 && errno == ENOENT)
        file.fd = ::open(path.c_str(), flags | (followLink ? 0 : O_NOFOLLOW));
    if (file.fd < 0)
        return {Kind::cannotOpen, errno};
    struct stat opened = {};
    if (::fstat(file.fd, &opened) != 0)
        return {Kind::cannotOpen, errno};
    if (!S_ISREG(opened.st_mode))
        return {Kind::notRegularFile, 0};
    // Another file put at the name meanwhile: it was not the one judged.
    if (opened.st_dev != node.st_dev || opened.st_ino != node.st_ino)
        return {Kind::cannotOpen, EAGAIN};
    return judgement;
}

std::optional<PlainFile> readPlainFile(const std::string &path, std::size_t limit)
{
    Descriptor file{-1};
    struct stat node = {};
    if (openRegularFile(path, false, file, node).kind != JudgedName::Kind::regularFile ||
        std::size_t(node.st_size) > limit)
        return std::nullopt;

    PlainFile result;
    result.modified = std::chrono::system_clock::time_point(
        std::chrono::duration_cast<std::chrono::system_clock::duration>(
            std::chrono::seconds(node.st_mtim.tv_sec) +
            std::chrono::nanoseconds(node.st_mtim.tv_nsec)));
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
