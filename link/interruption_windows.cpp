#include "link/interruption.h"

#include <csignal>
#include <windows.h>

namespace {
BOOL WINAPI noteControl(DWORD event)
{
    // Ctrl+C, Ctrl+Break and the console closing end the port's waits, as the signals do.
    switch (event) {
    case CTRL_C_EVENT:
        interruptPortWaits(SIGINT);
        return TRUE;
    case CTRL_BREAK_EVENT:
        interruptPortWaits(SIGBREAK);
        return TRUE;
    case CTRL_CLOSE_EVENT:
    case CTRL_LOGOFF_EVENT:
    case CTRL_SHUTDOWN_EVENT:
        interruptPortWaits(SIGTERM);
        return TRUE;
    default:
        return FALSE;
    }
}
} // namespace

struct PortWaitInterrupts::Saved
{
};

PortWaitInterrupts::PortWaitInterrupts()
{
    resetPortWaitInterruption();
    ::SetConsoleCtrlHandler(noteControl, TRUE);
}

PortWaitInterrupts::~PortWaitInterrupts()
{
    ::SetConsoleCtrlHandler(noteControl, FALSE);
}

void PortWaitInterrupts::endAsBefore(std::unique_ptr<PortWaitInterrupts> interrupts, int signal)
{
    interrupts.reset();
    // Where the program carries on (the signal ignored, or handled by its own), so do its ports.
    resetPortWaitInterruption();
    if (signal != 0)
        ::raise(signal);
}

void writesToClosedPipesFail()
{
    // A write to a pipe whose reader has gone fails here by itself.
}
