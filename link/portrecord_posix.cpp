// Where the record lives, its lock, and its atomic replacement, on a POSIX system.
#include "link/portrecord.h"

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {
bool isFolder(const std::string &path)
{
    struct stat st = {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// The folders down to the record's, for this user alone. False when one cannot be made.
bool makeFolders(const std::string &folder)
{
    if (folder.empty() || isFolder(folder))
        return !folder.empty();
    const size_t slash = folder.find_last_of('/');
    if (slash != std::string::npos && slash > 0 && !makeFolders(folder.substr(0, slash)))
        return false;
    return ::mkdir(folder.c_str(), 0700) == 0 || errno == EEXIST;
}

std::string folderOf(const std::string &path)
{
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}
} // namespace

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
        // A home that is not there (a service account's /nonexistent) gets no folders made in
        // its place: the numbers then last for the run.
        if (!home || !*home || !isFolder(home))
            return {};
        state = std::string(home) + "/.local/state";
    }
    return state + "/corvantis-panel/com-ports";
}

PortRecordLock::PortRecordLock(const std::string &recordPath)
{
    if (recordPath.empty() || !makeFolders(folderOf(recordPath)))
        return;
    const int fd = ::open((recordPath + ".lock").c_str(),
                          O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0600);
    struct stat st = {};
    if (fd < 0)
        return;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return;
    }
    // Another instance holds it only while it reads and writes a few hundred bytes; one that
    // holds it longer (stopped in a debugger) is not waited for.
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(1);
    while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if ((errno != EWOULDBLOCK && errno != EINTR) || std::chrono::steady_clock::now() > giveUp) {
            ::close(fd);
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    m_handle = fd;
}

PortRecordLock::~PortRecordLock()
{
    if (m_handle >= 0)
        ::close(int(m_handle)); // which releases the lock
}

bool writePortRecord(const std::string &path, const PortNumbers &numbers)
{
    if (path.empty() || !makeFolders(folderOf(path)))
        return false;
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
    // The rename replaces whatever is at the name, a link or a pipe included, never what a link
    // leads to.
    if (!written || ::rename(temporary.c_str(), path.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    return true;
}
