#include "link/interruption.h"

#include <csignal>
#include <utility>
#include <vector>

namespace {
// Every signal whose default action ends the program, but for the faults (SIGSEGV, SIGBUS, SIGILL,
// SIGFPE, SIGABRT, SIGSYS, SIGTRAP): their handler could not carry on.
std::vector<int> caughtSignals()
{
    std::vector<int> caught{SIGINT,  SIGTERM, SIGHUP,    SIGQUIT, SIGPIPE, SIGUSR1,
                            SIGUSR2, SIGALRM, SIGVTALRM, SIGPROF, SIGXCPU, SIGXFSZ};
#ifdef SIGPOLL
    caught.push_back(SIGPOLL);
#elif defined(SIGIO)
    caught.push_back(SIGIO);
#endif
#ifdef SIGSTKFLT
    caught.push_back(SIGSTKFLT);
#endif
#ifdef SIGPWR
    caught.push_back(SIGPWR);
#endif
#ifdef SIGRTMIN
    // SIGRTMIN is the first one the C library leaves to programs.
    for (int signal = SIGRTMIN; signal <= SIGRTMAX; ++signal)
        caught.push_back(signal);
#endif
    return caught;
}

void noteSignal(int signal)
{
    interruptPortWaits(signal);
}
} // namespace

struct PortWaitInterrupts::Saved
{
    std::vector<std::pair<int, struct sigaction>> actions;
};

PortWaitInterrupts::PortWaitInterrupts() : m_saved(std::make_unique<Saved>())
{
    resetPortWaitInterruption();
    struct sigaction action
    {
    };
    action.sa_handler = noteSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = 0; // no restart: a wait for the port ends at once
    for (const int signal : caughtSignals()) {
        struct sigaction before
        {
        };
        if (::sigaction(signal, &action, &before) == 0)
            m_saved->actions.emplace_back(signal, before);
    }
}

PortWaitInterrupts::~PortWaitInterrupts()
{
    for (const auto &[signal, before] : m_saved->actions)
        ::sigaction(signal, &before, nullptr);
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
    ::signal(SIGPIPE, SIG_IGN);
}
