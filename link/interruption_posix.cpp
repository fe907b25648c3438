#include "link/interruption.h"

#include <array>
#include <csignal>

namespace {
constexpr std::array caught{SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGPIPE, SIGUSR1, SIGUSR2};

void noteSignal(int signal)
{
    interruptPortWaits(signal);
}
} // namespace

struct PortWaitInterrupts::Saved
{
    std::array<struct sigaction, caught.size()> actions{};
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
    for (size_t i = 0; i < caught.size(); ++i)
        ::sigaction(caught[i], &action, &m_saved->actions[i]);
}

PortWaitInterrupts::~PortWaitInterrupts()
{
    for (size_t i = 0; i < caught.size(); ++i)
        ::sigaction(caught[i], &m_saved->actions[i], nullptr);
}

void writesToClosedPipesFail()
{
    ::signal(SIGPIPE, SIG_IGN);
}
