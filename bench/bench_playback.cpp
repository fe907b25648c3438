// A playback of 60 seconds (or as many as the first argument says) to a pseudo-terminal at 9600
// and at 115200 baud, in the native form so that every thirtieth of a second has its frame: when
// each frame arrives on the master side against its place in the schedule (the first frame's
// arrival plus its slot's time), the drift from first to last, the frames left out, and the
// processor time the playback's own thread took. Then the same while two processes spin on the
// two cores. Goals: 99th percentile within 5 ms, drift under one frame, under 2% of one core.
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
#include <mutex>
#include <poll.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {
using Clock = std::chrono::steady_clock;

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

void run(int baud, int seconds, const char *load)
{
    PtyPair pty(false);
    HolderScan holders(HolderRoots{"/nonexistent", "/nonexistent"});
    SerialPort port(pty.device(), holders);
    std::vector<std::int64_t> sentSlots;
    std::mutex mutex;
    double cpu = 0;
    std::vector<Clock::time_point> arrivals;
    std::atomic<bool> done{false};
    // Each frame is 13 bytes; its arrival is when its first bytes are read.
    std::thread reader([&] {
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
        std::printf("%6d baud, %s: %zu frames over %.1f s, %lld left out; arrival against schedule: "
                    "median %.2f ms, 99th percentile %.2f ms, drift %.2f ms; playback thread CPU "
                    "%.3f s = %.2f%% of one core (goals: 5 ms, 33 ms, 2%%)\n",
                    baud, load, frames, length, static_cast<long long>(progress.framesLeftOut),
                    median, p99, drift, cpu, 100 * cpu / length);
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
