#include "tests/faketree.h"

#include "link/portdirectory.h"

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {
fs::path under(const QTemporaryDir &root, const char *folder)
{
    return fs::path(root.path().toStdString()) / folder;
}

void write(const fs::path &file, const std::string &text)
{
    std::ofstream(file) << text << "\n";
}
} // namespace

FakeTree::FakeTree()
{
    fs::create_directories(sysClassTty());
    fs::create_directories(devDir());
    fs::create_directories(under(m_root, "devices/usb1"));
}

std::string FakeTree::sysClassTty() const
{
    return under(m_root, "class/tty").string();
}

std::string FakeTree::devDir() const
{
    return under(m_root, "dev").string();
}

void FakeTree::add(const std::string &name, bool hardware, const char *uartType, bool node)
{
    const fs::path tty = fs::path(sysClassTty()) / name;
    fs::create_directories(tty);
    if (hardware)
        fs::create_directories(tty / "device");
    if (uartType)
        write(tty / "type", uartType);
    if (node)
        std::ofstream(fs::path(devDir()) / name);
}

void FakeTree::plugUsb(const std::string &name, const std::string &socket,
                       const std::string &serial, const std::string &target)
{
    const fs::path usb = under(m_root, "devices/usb1") / socket;
    const fs::path port = usb / (socket + ":1.0") / name;
    fs::create_directories(port);
    write(usb / "idVendor", "0403");
    write(usb / "idProduct", "6001");
    write(usb / "manufacturer", "FTDI");
    write(usb / "product", "FT232R USB UART");
    if (!serial.empty())
        write(usb / "serial", serial);
    write(usb / (socket + ":1.0") / "bInterfaceNumber", "00");
    write(port / "port_number", "0");
    const fs::path tty = fs::path(sysClassTty()) / name;
    fs::create_directories(tty);
    fs::create_directory_symlink(port, tty / "device");
    fs::create_symlink(target, fs::path(devDir()) / name);
}

void FakeTree::unplugUsb()
{
    for (const fs::directory_entry &tty : fs::directory_iterator(sysClassTty())) {
        const std::string name = tty.path().filename().string();
        if (name.starts_with("ttyUSB")) {
            fs::remove_all(tty.path());
            fs::remove(fs::path(devDir()) / name);
        }
    }
    fs::remove_all(under(m_root, "devices/usb1"));
    fs::create_directories(under(m_root, "devices/usb1"));
}

QStringList FakeTree::list() const
{
    QStringList names;
    for (const SerialDevice &d : listSerialDevices(sysClassTty(), devDir()))
        names << QString::fromStdString(fs::path(d.node).filename().string());
    return names;
}

FakeProcesses::FakeProcesses()
{
    fs::create_directories(under(m_root, "proc"));
    fs::create_directories(under(m_root, "lock"));
    // Booted at the epoch, so that a process's start time in ticks is its time since then.
    write(under(m_root, "proc/stat"), "cpu  0 0 0 0\nbtime 0");
}

HolderRoots FakeProcesses::roots() const
{
    return {under(m_root, "proc").string(), lockDir()};
}

std::string FakeProcesses::lockDir() const
{
    return under(m_root, "lock").string();
}

void FakeProcesses::addReal(int pid)
{
    fs::create_directory_symlink("/proc/" + std::to_string(pid),
                                 under(m_root, "proc") / std::to_string(pid));
}
