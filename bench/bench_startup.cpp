// Start-up under an X server: the time from starting a program to its window being mapped, and its
// peak resident memory at that moment. Runs the given programs in turn, round after round.
//   bench_startup ROUNDS PROGRAM...   (DISPLAY must name the X server)
#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <poll.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>
#include <xcb/xcb.h>

namespace {
using Clock = std::chrono::steady_clock;

long peakResidentKb(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0)
            return std::strtol(line.c_str() + 6, nullptr, 10);
    return -1;
}

// Waits for the next top-level window to be mapped; false on time-out.
bool waitForMap(xcb_connection_t *x, int timeoutMs)
{
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        while (xcb_generic_event_t *event = xcb_poll_for_event(x)) {
            const bool mapped = (event->response_type & 0x7F) == XCB_MAP_NOTIFY;
            std::free(event);
            if (mapped)
                return true;
        }
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0)
            return false;
        pollfd p{xcb_get_file_descriptor(x), POLLIN, 0};
        ::poll(&p, 1, int(left.count()));
    }
}

void drain(xcb_connection_t *x)
{
    xcb_flush(x);
    ::usleep(200000);
    while (xcb_generic_event_t *event = xcb_poll_for_event(x))
        std::free(event);
}

// Whether a software or hardware OpenGL driver is mapped: plain widgets have no use for one.
bool openGlDriverLoaded(pid_t pid)
{
    std::ifstream maps("/proc/" + std::to_string(pid) + "/maps");
    std::string line;
    while (std::getline(maps, line))
        for (const char *driver : {"_dri.so", "libGLX_mesa", "libEGL_mesa", "libLLVM", "swrast"})
            if (line.find(driver) != std::string::npos)
                return true;
    return false;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}
} // namespace

int main(int argc, char **argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s ROUNDS PROGRAM...\n", argv[0]);
        return 2;
    }
    const int rounds = std::atoi(argv[1]);
    const std::vector<std::string> programs(argv + 2, argv + argc);
    xcb_connection_t *x = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(x)) {
        std::fprintf(stderr, "no X server\n");
        return 1;
    }
    const xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(x)).data;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(x, screen->root, XCB_CW_EVENT_MASK, &mask);
    drain(x);

    std::vector<std::vector<double>> times(programs.size()), memory(programs.size());
    std::vector<bool> openGl(programs.size(), false);
    for (int round = 0; round < rounds; ++round) {
        for (size_t k = 0; k < programs.size(); ++k) {
            // Alternate the order so that neither always runs on a warmer cache.
            const size_t i = round % 2 ? programs.size() - 1 - k : k;
            const auto start = Clock::now();
            const pid_t pid = ::fork();
            if (pid == 0) {
                ::execl(programs[i].c_str(), programs[i].c_str(), static_cast<char *>(nullptr));
                ::_exit(127);
            }
            if (!waitForMap(x, 20000)) {
                std::fprintf(stderr, "%s: no window\n", programs[i].c_str());
                return 1;
            }
            times[i].push_back(
                std::chrono::duration<double, std::milli>(Clock::now() - start).count());
            memory[i].push_back(peakResidentKb(pid) / 1024.0);
            openGl[i] = openGl[i] || openGlDriverLoaded(pid);
            ::kill(pid, SIGKILL);
            ::waitpid(pid, nullptr, 0);
            drain(x);
        }
    }
    for (size_t i = 0; i < programs.size(); ++i)
        std::printf("%-40s median %.1f ms to its window, %.1f MB peak resident, OpenGL driver %s\n",
                    programs[i].c_str(), median(times[i]), median(memory[i]),
                    openGl[i] ? "loaded" : "not loaded");
    if (programs.size() >= 2) {
        // The first program against the second, round by round, as both ran close together.
        std::vector<double> ratios, extra;
        for (int round = 0; round < rounds; ++round) {
            ratios.push_back(times[0][round] / times[1][round]);
            extra.push_back(memory[0][round] - memory[1][round]);
        }
        const auto [low, high] = std::minmax_element(ratios.begin(), ratios.end());
        std::printf("ratio %.3f of the time (rounds %.2f to %.2f; goal <= 1.15), %+.1f MB (goal <= "
                    "3)\n",
                    median(ratios), *low, *high, median(extra));
    }
    xcb_disconnect(x);
    return 0;
}
