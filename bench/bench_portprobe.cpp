// Opening the "Serial Port" menu with four devices on a machine with about 300 processes: the
// probe lists the devices, looks through every process for other programs' holds, and opens each
// device as a cycle would. The baseline opens and closes the four devices and nothing more.
#include "app/tform1.h"
#include "bench/minimalcycle.h"
#include "tests/fakedesktop.h"
#include "tests/ptypair.h"

#include <QApplication>
#include <csignal>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {
int processCount()
{
    int count = 0;
    if (DIR *proc = ::opendir("/proc")) {
        while (const dirent *entry = ::readdir(proc))
            count += entry->d_name[0] >= '1' && entry->d_name[0] <= '9';
        ::closedir(proc);
    }
    return count;
}

// Idle processes with a few descriptors each, as a desktop has them.
std::vector<pid_t> populate(int processes)
{
    std::vector<pid_t> children;
    for (int n = processCount(); n < processes; ++n) {
        const pid_t child = ::fork();
        if (child == 0) {
            for (int i = 0; i < 8; ++i)
                ::open("/dev/null", O_RDONLY);
            ::pause();
            ::_exit(0);
        }
        children.push_back(child);
    }
    return children;
}
} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const std::vector<pid_t> children = populate(300);
    QApplication app(argc, argv);
    pinToOneCore();
    PtyPair ports[4];
    FreshWindow window(true); // the machine's own processes: what they cost is measured
    for (const PtyPair &pty : ports)
        window.desk.devices.push_back(pty.device());

    auto ours = [&] { window.form->SerialPort2Click(window.ui.SerialPort2); };
    auto plain = [&] {
        for (const PtyPair &pty : ports)
            ::close(::open(pty.device().c_str(), O_WRONLY | O_NOCTTY | O_NONBLOCK));
    };
    const Comparison c = interleaved(20, 10, ours, plain);
    std::printf("menu opening with 4 devices, %d processes: ours %.2f ms, opening the 4 alone "
                "%.3f ms (rounds of ours %.2f to %.2f times the median)\n",
                processCount(), c.a / 1000, c.b / 1000, c.lowest / c.ratio, c.highest / c.ratio);
    for (const pid_t child : children) {
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
    }
    return 0;
}
