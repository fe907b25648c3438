#include "tests/otherprocess.h"

#include <csignal>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

HeldByAnotherProcess::HeldByAnotherProcess(const std::string &path)
{
    int ready[2];
    if (::pipe(ready) != 0)
        return;
    m_pid = ::fork();
    if (m_pid == 0) {
        const int fd = ::open(path.c_str(), O_RDONLY | O_NOCTTY | O_NONBLOCK);
        const char ok = fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) == 0 ? 'y' : 'n';
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

QByteArray liveBytes(int servo, int position)
{
    const int wire = position + 1843;
    QByteArray bytes;
    bytes.append(char(0xFE)).append(char(servo)).append(char(wire & 0xFF)).append(char(wire >> 8));
    return bytes;
}
