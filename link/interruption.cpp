#include "link/interruption.h"

#include <atomic>

namespace {
// Written by a signal handler and read by the playback's thread: lock-free, so that the handler
// may touch it at all, and atomic, so that the other thread sees it.
std::atomic<int> interruptedBy{0};
static_assert(std::atomic<int>::is_always_lock_free);
} // namespace

void interruptPortWaits(int signal) noexcept
{
    interruptedBy.store(signal, std::memory_order_relaxed);
}

int portWaitsInterrupted() noexcept
{
    return interruptedBy.load(std::memory_order_relaxed);
}

void resetPortWaitInterruption() noexcept
{
    interruptedBy.store(0, std::memory_order_relaxed);
}
