// From a change of the start bar to its bytes on the master side, through the window's own change
// handling, against the minimal cycle of bench_portcycle, in the same run.
#include "app/tform1.h"
#include "bench/minimalcycle.h"
#include "tests/fakedesktop.h"
#include "tests/ptypair.h"

#include <QApplication>
#include <cstdio>

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    pinToOneCore();
    PtyPair pty;
    FreshWindow window;
    window.choosePort(pty.device());
    ScrollBar *bar = window.form->startSweep;

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
    const Comparison c = interleaved(10, 100, event, minimal); // 1,000 events
    std::printf("event to wire: %.1f us per bar change, minimal cycle %.1f us; ratio %.3f (rounds "
                "%.2f to %.2f; goal <= 1.5)\n",
                c.a, c.b, c.ratio, c.lowest, c.highest);
    return 0;
}
