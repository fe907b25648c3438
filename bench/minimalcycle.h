#pragma once

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

// The calls our cycle makes beyond the minimal one, each of which can be added to it alone, so
// that what it costs is measured where it is made.
enum AddedCall : unsigned
{
    // The open by name becomes open(O_PATH), fstat and openat through /proc; the close takes the
    // handle with it (close_range).
    PathHandle = 1,
    AdvisoryLock = 2,   // flock(LOCK_EX | LOCK_NB)
    ExclusiveAsked = 4, // ioctl(TIOCGEXCL)
    QueueAsked = 8,     // ioctl(TIOCOUTQ) before tcdrain
    LineKept = 16,      // and one left out: tcsetattr where the line is already so
};

// The baseline: one live-position message written straight with the system calls, with nothing
// of ours in between (open, exclusive mode, tcgetattr/tcsetattr, three writes, tcdrain, exclusive
// mode off, close); with `added`, those of our calls as well.
void minimalCycle(const std::string &device, unsigned added = 0);

// Waits until `count` bytes have arrived on the master side.
void readExactly(int master, int count);

using Nanoseconds = std::chrono::nanoseconds;

double median(std::vector<double> values);

// Keeps the process, and with it the kernel work it queues for the pseudo-terminal, on one core,
// so that both sides of a comparison see the same wake-up costs.
void pinToOneCore();

struct Comparison
{
    double a = 0;     // median microseconds per call of the first
    double b = 0;     // and of the second
    double ratio = 0; // median of the per-round ratios a/b
    double lowest = 0, highest = 0;
};

// The processor time of the calling thread, its system calls included: unlike the wall clock,
// it does not count the time other processes take the core, so that a single call's cost can be
// told on a busy machine.
struct ThreadCpuClock
{
    using duration = std::chrono::nanoseconds;
    using time_point = std::chrono::time_point<ThreadCpuClock>;
    static time_point now();
};

// Runs `rounds` rounds of `perRound` calls of each function back to back, alternating which goes
// first, and compares them round by round.
template <typename Clock = std::chrono::steady_clock, typename A, typename B>
Comparison interleaved(int rounds, int perRound, A &&a, B &&b)
{
    std::vector<double> ta, tb, ratios;
    auto time = [&](auto &&f) {
        const auto start = Clock::now();
        for (int i = 0; i < perRound; ++i)
            f();
        return std::chrono::duration<double, std::micro>(Clock::now() - start).count() / perRound;
    };
    for (int round = 0; round < rounds; ++round) {
        double x, y;
        if (round % 2 == 0) {
            x = time(a);
            y = time(b);
        } else {
            y = time(b);
            x = time(a);
        }
        ta.push_back(x);
        tb.push_back(y);
        ratios.push_back(x / y);
    }
    const auto [low, high] = std::minmax_element(ratios.begin(), ratios.end());
    return {median(ta), median(tb), median(ratios), *low, *high};
}
