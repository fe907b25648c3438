// The real application with COM1 standing for a pseudo-terminal of its own, whose bytes are
// printed on standard output in hex as they arrive, a line for each burst:
//   build/test/tests/wiretap
// A socat pair cannot stand in here: socat keeps the slave end open itself, and a port another
// program has open counts as in use. Nothing but the application opens this one.
#include "app/application.h"
#include "app/systemdesktop.h"

#include <atomic>
#include <cstdio>
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <thread>
#include <unistd.h>

namespace {
class TapDesktop final : public Desktop
{
  public:
    explicit TapDesktop(const std::string &node) : m_devices{SerialDevice::atNode(node)} {}

    void beep() override { m_system.beep(); }
    void messageBox(const QString &text, const QString &caption) override
    {
        m_system.messageBox(text, caption);
    }
    void errorBox(const QString &text, const QString &caption) override
    {
        m_system.errorBox(text, caption);
    }
    std::optional<QString> chooseFile(const FileDialogRequest &request) override
    {
        return m_system.chooseFile(request);
    }
    bool askReplace(const QString &path, const QString &caption) override
    {
        return m_system.askReplace(path, caption);
    }
    SaveAnswer askSaveChanges(const QString &question, const QString &caption) override
    {
        return m_system.askSaveChanges(question, caption);
    }
    std::vector<SerialDevice> serialDevices() override { return m_devices; }

  private:
    SystemDesktop m_system;
    std::vector<SerialDevice> m_devices;
};

// Until a cycle opens the slave, the master reports a hang-up: waits and looks again.
void printBursts(int master, const std::atomic<bool> &stop)
{
    bool inBurst = false;
    while (!stop) {
        pollfd p{master, POLLIN, 0};
        unsigned char buffer[256];
        const ssize_t n = ::poll(&p, 1, 20) > 0 ? ::read(master, buffer, sizeof buffer) : 0;
        for (ssize_t i = 0; i < n; ++i)
            std::printf("%02X ", buffer[i]);
        if (n > 0) {
            inBurst = true;
        } else {
            if (inBurst)
                std::printf("\n");
            inBurst = false;
            ::usleep(10000);
        }
        std::fflush(stdout);
    }
}
} // namespace

int main(int, char **argv)
{
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master < 0 || ::grantpt(master) != 0 || ::unlockpt(master) != 0)
        return 1;
    std::fprintf(stderr, "COM1 is %s\n", ::ptsname(master));
    TapDesktop tap(::ptsname(master));
    std::atomic<bool> stop{false};
    std::thread printer(printBursts, master, std::cref(stop));
    const int status = runApplication(1, argv, {}, {}, &tap);
    stop = true;
    printer.join();
    return status;
}
