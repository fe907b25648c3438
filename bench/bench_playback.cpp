// A playback of 60 seconds (or as many as the first argument says) to a pseudo-terminal at 9600
// and at 115200 baud, in the native form so that every thirtieth of a second has its frame: when
// each frame arrives on the master side against its place in the schedule (the first frame's
// arrival plus its slot's time), the drift from first to last, the frames left out, the stale
// frames (a late frame with the next slot's right behind it, within a millisecond), and the
// processor time the playback's own thread took, with the load average and what the system granted
// the playback's thread beside them. Then the same while two processes spin on the two cores.
// Goals: 99th percentile within 5 ms, drift under one frame, under 2% of one core, none stale.
#include "bench/loadaverages.h"
#include "link/holders.h"
#include "motion/playback.h"
#include "tests/ptypair.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <string>
#include <mutex>
#include <poll.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {
using Clock = std::chrono::steady_clock;

const char *nameOf(WakeUps granted)
{
    switch (granted) {
    case WakeUps::realTime:
        return "real-time class";
    case WakeUps::raisedPriority:
        return "lower nice value";
    case WakeUps::preciseTimer:
        return "timer slack 1 us only";
    case WakeUps::asScheduled:
        return "nothing";
    }
    return "?";
}

double threadCpuSeconds()
{
    timespec t{};
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

// A minute of slow sweeps: every servo changes in every frame.
Sequence sweeps(int seconds)
{
    Sequence s;
    s.poses = {{"low", {20, 40, 60, 80, 100, 120, 140, 160}},
               {"high", {230, 210, 190, 170, 150, 130, 110, 90}}};
    s.steps = {{1, 2000, 0, Easing::EaseInOut}, {0, 2000, 0, Easing::Linear}};
    s.rounds = std::max(seconds / 4, 1);
    return s;
}

void run(int baud, int seconds, const char *machine)
{
    PtyPair pty(false);
    HolderScan holders(HolderRoots{"/nonexistent", "/nonexistent"});
    SerialPort port(pty.device(), holders);
    std::vector<std::int64_t> sentSlots;
    std::vector<Clock::time_point> written; // as each write returned
    std::mutex mutex;
    double cpu = 0;
    std::vector<Clock::time_point> arrivals;
    std::atomic<bool> done{false};
    // Each frame is 13 bytes; its arrival is when its first bytes are read. The reader asks for
    // what the playback asks for, so that it measures the playback rather than its own wake-ups.
    std::thread reader([&] {
        askForTimelyWakeUps();
        std::size_t pending = 0;
        char buffer[4096];
        while (!done) {
            pollfd p{pty.master(), POLLIN, 0};
            if (::poll(&p, 1, 50) <= 0)
                continue;
            const ssize_t n = ::read(pty.master(), buffer, sizeof buffer);
            if (n <= 0)
                break;
            const auto now = Clock::now();
            for (ssize_t i = 0; i < n; ++i, pending = (pending + 1) % 13)
                if (pending == 0)
                    arrivals.push_back(now);
        }
    });
    {
        Playback playback(std::move(port), Player(sweeps(seconds)), {true, 0, baud},
                          std::chrono::milliseconds(2000),
                          [&](std::int64_t slot, const std::vector<std::uint8_t> &) {
                              const std::lock_guard lock(mutex);
                              sentSlots.push_back(slot);
                              written.push_back(Clock::now());
                              cpu = threadCpuSeconds();
                          });
        playback.wait();
        const Playback::Progress progress = playback.progress();
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        done = true;
        reader.join();
        const size_t frames = std::min(sentSlots.size(), arrivals.size());
        std::vector<double> errors;
        for (size_t i = 0; i < frames; ++i) {
            const auto due = arrivals[0] + std::chrono::microseconds(slotMicroseconds(sentSlots[i]));
            errors.push_back(std::chrono::duration<double, std::milli>(arrivals[i] - due).count());
        }
        std::vector<double> magnitudes;
        for (const double e : errors)
            magnitudes.push_back(std::fabs(e));
        std::sort(magnitudes.begin(), magnitudes.end());
        const double median = magnitudes[magnitudes.size() / 2];
        const double p99 = magnitudes[std::min(magnitudes.size() - 1, magnitudes.size() * 99 / 100)];
        const double drift = errors.back() - errors.front();
        const double length = double(slotMicroseconds(sentSlots.back())) / 1e6;
        // The same from the playback's side: when each write had handed its frame over.
        std::vector<double> writeErrors;
        for (size_t i = 0; i < written.size(); ++i) {
            const auto due = written[0] + std::chrono::microseconds(slotMicroseconds(sentSlots[i]));
            writeErrors.push_back(std::chrono::duration<double, std::milli>(written[i] - due).count());
        }
        std::vector<double> writeLateness = writeErrors;
        std::sort(writeLateness.begin(), writeLateness.end());
        const double writeP99 =
            writeLateness[std::min(writeLateness.size() - 1, writeLateness.size() * 99 / 100)];
        // A late frame with the next slot's less than a millisecond behind it.
        const double tolerance =
            std::chrono::duration<double, std::milli>(Playback::lateTolerance).count();
        const auto staleIn = [&](const std::vector<Clock::time_point> &times,
                                 const std::vector<double> &late) {
            int stale = 0;
            for (size_t i = 1; i < std::min(times.size(), late.size()); ++i)
                stale += late[i - 1] > tolerance && sentSlots[i] == sentSlots[i - 1] + 1 &&
                         times[i] - times[i - 1] < std::chrono::milliseconds(1);
            return stale;
        };
        const int stale = staleIn(arrivals, errors);
        const int staleWritten = staleIn(written, writeErrors);
        std::printf("%6d baud, %s (load %s; thread: %s): %zu frames over %.1f s, %lld left out, "
                    "%d stale as read (%d as written); arrival against schedule: median %.2f ms, "
                    "99th percentile %.2f ms, worst %.2f ms, drift %.2f ms; writes: 99th "
                    "percentile %.2f ms, worst %.2f ms; playback thread CPU %.3f s = %.2f%% of one "
                    "core (goals: 5 ms, 33 ms, 2%%, 0 stale)\n",
                    baud, machine, loadAverages().c_str(), nameOf(progress.wakeUps), frames, length,
                    static_cast<long long>(progress.framesLeftOut), stale, staleWritten, median,
                    p99, magnitudes.back(), drift, writeP99, writeLateness.back(), cpu,
                    100 * cpu / length);
    }
}

std::vector<pid_t> spin(int count)
{
    std::vector<pid_t> children;
    for (int i = 0; i < count; ++i) {
        const pid_t child = ::fork();
        if (child == 0) {
            std::atomic<unsigned long> n{0};
            for (;;)
                n.fetch_add(1, std::memory_order_relaxed);
        }
        children.push_back(child);
    }
    return children;
}
} // namespace

int main(int argc, char **argv)
{
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 60;
    for (const int baud : {9600, 115200})
        run(baud, seconds, "quiet machine");
    const std::vector<pid_t> busy = spin(2);
    for (const int baud : {9600, 115200})
        run(baud, seconds, "two spinning processes");
    for (const pid_t child : busy) {
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
    }
    return 0;
}
