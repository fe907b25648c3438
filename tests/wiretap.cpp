// The real application, with COM1 to COM4 standing for the devices named on the command line
// instead of the machine's serial ports, so that the bytes can be watched on a socat pair:
//   socat pty,raw,echo=0,link=/tmp/board pty,raw,echo=0,link=/tmp/tap &
//   wiretap /tmp/board &
//   xxd -c 4 /tmp/tap
#include "app/application.h"
#include "app/systemdesktop.h"

class TapDesktop final : public Desktop
{
  public:
    explicit TapDesktop(const std::vector<std::string> &nodes)
    {
        for (const std::string &node : nodes)
            m_devices.push_back(SerialDevice::atNode(node));
    }

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
    std::vector<SerialDevice> serialDevices() override { return m_devices; }

  private:
    SystemDesktop m_system;
    std::vector<SerialDevice> m_devices;
};

int main(int argc, char **argv)
{
    TapDesktop tap(std::vector<std::string>(argv + 1, argv + argc));
    setDesktop(&tap);
    return runApplication(1, argv);
}
