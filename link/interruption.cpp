#include "link/interruption.h"

#include <csignal>

namespace {
volatile std::sig_atomic_t interruptedBy = 0;
} // namespace

void interruptPortWaits(int signal) noexcept
{
    interruptedBy = signal;
}

int portWaitsInterrupted() noexcept
{
    return interruptedBy;
}

void resetPortWaitInterruption() noexcept
{
    interruptedBy = 0;
}
