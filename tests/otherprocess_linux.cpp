#include "tests/otherprocess.h"

#include <csignal>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/inotify.h>
#include <sys/ioctl.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

HeldByAnotherProcess::HeldByAnotherProcess(const std::string &path, Hold hold,
                                           const std::string &name)
{
    int ready[2];
    if (::pipe(ready) != 0)
        return;
    m_pid = ::fork();
    if (m_pid == 0) {
        // Only what it opens itself: the test's own descriptors on other devices are not its.
        ::close_range(3, unsigned(ready[1]) - 1, 0);
        ::close_range(unsigned(ready[1]) + 1, ~0U, 0);
        // Under a user-mode emulator the kernel knows the test by the emulator's name; the holder
        // takes the test's own, as it has on the target's processor, unless it is given one.
        ::prctl(PR_SET_NAME, name.empty() ? program_invocation_short_name : name.c_str());
        const int fd = ::open(path.c_str(), O_RDONLY | O_NOCTTY | O_NONBLOCK);
        bool held = fd >= 0;
        if (held && hold == Hold::Lock)
            held = ::flock(fd, LOCK_EX | LOCK_NB) == 0;
        if (held && hold == Hold::Exclusive)
            held = ::ioctl(fd, TIOCEXCL) == 0;
        const char ok = held ? 'y' : 'n';
        (void)!::write(ready[1], &ok, 1);
        ::pause();
        ::_exit(0);
    }
    ::close(ready[1]);
    char ok = 0;
    (void)!::read(ready[0], &ok, 1);
    ::close(ready[0]);
    m_holding = ok == 'y';
}

HeldByAnotherProcess::~HeldByAnotherProcess()
{
    if (m_pid > 0) {
        ::kill(m_pid, SIGKILL);
        ::waitpid(m_pid, nullptr, 0);
    }
}

OpenWatch::OpenWatch(const std::string &path) : m_fd(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC))
{
    ::inotify_add_watch(m_fd, path.c_str(), IN_OPEN);
}

OpenWatch::~OpenWatch()
{
    ::close(m_fd);
}

int OpenWatch::opens()
{
    int count = 0;
    alignas(inotify_event) char buffer[4096];
    ssize_t n;
    while ((n = ::read(m_fd, buffer, sizeof buffer)) > 0)
        for (char *at = buffer; at < buffer + n;) {
            const auto *event = reinterpret_cast<const inotify_event *>(at);
            count += (event->mask & IN_OPEN) != 0;
            at += sizeof(inotify_event) + event->len;
        }
    return count;
}
