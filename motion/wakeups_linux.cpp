#include "motion/wakeups.h"

#include <algorithm>
#include <cerrno>
#include <pthread.h>
#include <sched.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <unistd.h>

WakeUps askForTimelyWakeUps() noexcept
{
    // Timers that fire on time rather than up to 50 us later, batched with others: any thread may.
    const bool precise = ::prctl(PR_SET_TIMERSLACK, 1000UL, 0, 0, 0) == 0;
    // The lowest real-time priority is enough to go ahead of every ordinary thread; it needs
    // RLIMIT_RTPRIO above 0 or the capability (root), which an ordinary user lacks.
    for (const int policy : {SCHED_FIFO, SCHED_RR}) {
        sched_param param{};
        param.sched_priority = ::sched_get_priority_min(policy);
        if (::pthread_setschedparam(::pthread_self(), policy, &param) == 0)
            return WakeUps::realTime;
    }
    // Otherwise a lower nice value for this thread alone, as far as RLIMIT_NICE lets it go.
    rlimit limit{};
    const pid_t thread = pid_t(::gettid());
    errno = 0;
    const int now = ::getpriority(PRIO_PROCESS, id_t(thread));
    if (errno == 0 && ::getrlimit(RLIMIT_NICE, &limit) == 0) {
        const int lowest =
            limit.rlim_cur == RLIM_INFINITY ? -20 : 20 - int(std::min<rlim_t>(limit.rlim_cur, 40));
        const int wanted = std::max(lowest, now - 10);
        if (wanted < now && ::setpriority(PRIO_PROCESS, id_t(thread), wanted) == 0)
            return WakeUps::raisedPriority;
    }
    return precise ? WakeUps::preciseTimer : WakeUps::asScheduled;
}
