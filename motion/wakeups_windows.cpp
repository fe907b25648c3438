#include "motion/wakeups.h"

#include <windows.h>

WakeUps askForTimelyWakeUps() noexcept
{
    // Within the process's own class, which any user may do.
    const HANDLE self = ::GetCurrentThread();
    if (::SetThreadPriority(self, THREAD_PRIORITY_TIME_CRITICAL) ||
        ::SetThreadPriority(self, THREAD_PRIORITY_HIGHEST))
        return WakeUps::raisedPriority;
    return WakeUps::asScheduled;
}
