// One live-position message through our port cycle, against the minimal cycle, on a
// pseudo-terminal; each includes the master side reading the 4 bytes. Ours goes the whole way a
// message goes: COM1 looked up in the port directory, the node checked to be the adapter numbered,
// other programs' holds looked for, then the cycle. Then each call ours makes beyond the minimal
// cycle, added to it alone.
#include "bench/minimalcycle.h"
#include "link/messages.h"
#include "link/portcycle.h"
#include "link/portlink.h"
#include "tests/ptypair.h"

#include <cstdio>

int main()
{
    pinToOneCore();
    PtyPair pty;
    const Message message = livePositionMessage(0, 0);
    PortLink link([&] { return std::vector{SerialDevice::atNode(pty.device())}; });
    link.refresh();
    auto ours = [&] {
        {
            PortCycle cycle(link.open(1, HolderScan::Freshness::Recent), message.line,
                            link.stalls());
            for (const Write &write : message.writes)
                cycle.write(write);
        }
        readExactly(pty.master(), 4);
    };
    auto minimal = [&] {
        minimalCycle(pty.device());
        readExactly(pty.master(), 4);
    };
    for (int i = 0; i < 200; ++i) { // warm up
        ours();
        minimal();
    }
    const Comparison c = interleaved(40, 250, ours, minimal);
    std::printf("port cycle: ours %.1f us, minimal %.1f us per message; ratio %.3f (rounds %.2f to "
                "%.2f; goal <= 1.2)\n",
                c.a, c.b, c.ratio, c.lowest, c.highest);
    // The same in the thread's processor time, which other processes on the core do not swell.
    const Comparison cpu = interleaved<ThreadCpuClock>(40, 250, ours, minimal);
    std::printf("  in processor time: ours %.1f us, minimal %.1f us; ratio %.3f\n", cpu.a, cpu.b,
                cpu.ratio);

    // What each call ours makes beyond the minimal cycle costs, added to the minimal cycle alone
    // (and what the one it leaves out saves), in the thread's processor time; with all of them,
    // what is left is our own code between the calls.
    const struct
    {
        unsigned added;
        const char *what;
    } calls[] = {
        {PathHandle, "path handle (open O_PATH, fstat, openat through /proc, close_range)"},
        {ExclusiveAsked, "TIOCGEXCL"},
        {QueueAsked, "TIOCOUTQ"},
        {LineKept, "tcsetattr left out, the line being so already"},
        {PathHandle | ExclusiveAsked | QueueAsked | LineKept, "all of them"},
        {AdvisoryLock, "flock, taken for an upload or a playback only"},
    };
    for (const auto &call : calls) {
        auto with = [&] {
            minimalCycle(pty.device(), call.added);
            readExactly(pty.master(), 4);
        };
        const Comparison added = interleaved<ThreadCpuClock>(40, 250, with, minimal);
        std::printf("  + %s: %+.1f us of processor time a message (ratio %.3f)\n", call.what,
                    (added.ratio - 1) * added.b, added.ratio);
    }
    return 0;
}
