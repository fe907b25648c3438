#include "bench/minimalcycle.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sched.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

void minimalCycle(const std::string &device, unsigned added)
{
    int fd = -1, named = -1;
    if (added & PathHandle) {
        static const int folder = ::open("/proc/self/fd", O_PATH | O_DIRECTORY | O_CLOEXEC);
        named = ::open(device.c_str(), O_PATH | O_CLOEXEC);
        struct stat node
        {
        };
        ::fstat(named, &node);
        char number[16];
        std::snprintf(number, sizeof number, "%d", named);
        fd = ::openat(folder, number, O_WRONLY | O_NOCTTY);
    } else {
        fd = ::open(device.c_str(), O_WRONLY | O_NOCTTY);
    }
    if (added & AdvisoryLock)
        ::flock(fd, LOCK_EX | LOCK_NB);
    int answer = 0;
    if (added & ExclusiveAsked)
        ::ioctl(fd, TIOCGEXCL, &answer);
    ::ioctl(fd, TIOCEXCL);
    termios t{};
    ::tcgetattr(fd, &t);
    const termios before = t;
    ::cfmakeraw(&t);
    ::cfsetspeed(&t, B9600);
    if (!(added & LineKept) || std::memcmp(&before, &t, sizeof t) != 0)
        ::tcsetattr(fd, TCSANOW, &t);
    const unsigned char marker = 0xFE, servo = 0, position[2] = {0x33, 0x07};
    (void)!::write(fd, &marker, 1);
    (void)!::write(fd, &servo, 1);
    (void)!::write(fd, position, 2);
    if (added & QueueAsked)
        ::ioctl(fd, TIOCOUTQ, &answer);
    ::tcdrain(fd);
    // The test rig keeps the line open, so this close is not the last: the mode must be cleared.
    ::ioctl(fd, TIOCNXCL);
    if (named < 0 || fd != named + 1 || ::close_range(unsigned(named), unsigned(fd), 0) != 0) {
        ::close(fd);
        if (named >= 0)
            ::close(named);
    }
}

void readExactly(int master, int count)
{
    char buffer[256];
    while (count > 0) {
        pollfd p{master, POLLIN, 0};
        if (::poll(&p, 1, 2000) <= 0)
            return;
        const ssize_t n = ::read(master, buffer, std::min<size_t>(sizeof buffer, size_t(count)));
        if (n <= 0)
            return;
        count -= int(n);
    }
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

void pinToOneCore()
{
    cpu_set_t one;
    CPU_ZERO(&one);
    CPU_SET(0, &one);
    ::sched_setaffinity(0, sizeof one, &one);
}

ThreadCpuClock::time_point ThreadCpuClock::now()
{
    timespec t{};
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return time_point(std::chrono::seconds(t.tv_sec) + std::chrono::nanoseconds(t.tv_nsec));
}
