#pragma once

// Which system the tests run on. A test that needs what Windows (or Wine) lacks says so and skips
// there; so that such a test still compiles for Windows, the few POSIX calls the tests make
// directly are given there as calls that fail.
#include <QTest>

#ifdef _WIN32
inline constexpr bool onWindows = true;
#else
inline constexpr bool onWindows = false;
#endif

#define SKIP_ON_WINDOWS(why)                                                                       \
    do {                                                                                           \
        if (onWindows)                                                                             \
            QSKIP(why);                                                                            \
    } while (false)

#ifdef _WIN32
#include <cerrno>
#include <sys/stat.h>

inline constexpr int O_NONBLOCK = 0;
enum : int
{
    SIGHUP = 1,
    SIGQUIT = 3,
    SIGUSR1 = 10,
    SIGUSR2 = 12,
    SIGPIPE = 13,
    SIGALRM = 14,
    SIGXCPU = 24,
    SIGXFSZ = 25,
    SIGRTMIN = 34
};
inline int mkfifo(const char *, int)
{
    errno = ENOSYS;
    return -1;
}
inline int symlink(const char *, const char *)
{
    errno = ENOSYS;
    return -1;
}
inline unsigned geteuid()
{
    return 1; // never root there
}
inline int chown(const char *, unsigned, unsigned)
{
    errno = ENOSYS;
    return -1;
}
struct rlimit
{
    unsigned long long rlim_cur, rlim_max;
};
inline constexpr int RLIMIT_FSIZE = 1;
inline int getrlimit(int, rlimit *)
{
    return -1;
}
inline int setrlimit(int, const rlimit *)
{
    return -1;
}
#endif
