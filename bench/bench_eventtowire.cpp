// From a change of the start bar to its bytes on the master side, through the window's own change
// handling, against the minimal cycle of bench_portcycle, in the same run: first on a quiet
// machine, then with 200 processes holding 1,000 descriptors each, where one look through every
// process's descriptors takes about a second. The live messages must not wait for that look. The
// menu opening, which does look, is timed under the same load.
#include "app/tform1.h"
#include "bench/minimalcycle.h"
#include "tests/fakedesktop.h"
#include "tests/ptypair.h"

#include <QApplication>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {
std::vector<pid_t> populate(int processes, int descriptors)
{
    std::vector<pid_t> children;
    for (int n = 0; n < processes; ++n) {
        const pid_t child = ::fork();
        if (child == 0) {
            for (int i = 0; i < descriptors; ++i)
                ::open("/dev/null", O_RDONLY);
            ::pause();
            ::_exit(0);
        }
        children.push_back(child);
    }
    ::usleep(500000); // until they have opened them
    return children;
}
} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    pinToOneCore();
    PtyPair pty;
    FreshWindow window(true); // the machine's own processes: what they cost is measured
    window.choosePort(pty.device());
    ScrollBar *bar = window.ui.startSweep;

    int step = 0;
    auto event = [&] {
        // Alternating positions, each a real change that needs no correction.
        bar->setPosition(1000 + (++step % 2) * 3);
        readExactly(pty.master(), 4);
    };
    auto minimal = [&] {
        minimalCycle(pty.device());
        readExactly(pty.master(), 4);
    };
    for (int i = 0; i < 100; ++i) {
        event();
        minimal();
    }
    const Comparison quiet = interleaved(10, 100, event, minimal); // 1,000 events
    std::printf("event to wire: %.1f us per bar change, minimal cycle %.1f us; ratio %.3f (rounds "
                "%.2f to %.2f; goal <= 1.5)\n",
                quiet.a, quiet.b, quiet.ratio, quiet.lowest, quiet.highest);

    const std::vector<pid_t> children = populate(200, 1000);
    const Comparison loaded = interleaved(10, 300, event, minimal); // 3,000 events, 10 s or more
    std::printf("with 200 processes x 1,000 descriptors: %.1f us per bar change, minimal %.1f us; "
                "ratio %.3f (rounds %.2f to %.2f); %.3f of the quiet ratio (goal <= 1.2)\n",
                loaded.a, loaded.b, loaded.ratio, loaded.lowest, loaded.highest,
                loaded.ratio / quiet.ratio);
    using Clock = std::chrono::steady_clock;
    std::vector<double> menu;
    for (int i = 0; i < 5; ++i) {
        const auto start = Clock::now();
        window.form->SerialPort2Click(window.ui.SerialPort2);
        menu.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    std::printf("menu opening under that load: %.0f ms (median of 5)\n", median(menu));
    for (const pid_t child : children) {
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
    }
    return 0;
}
