// Serial devices from sysfs, and what tells their adapters apart, as udev's /dev/serial/by-id
// (serial number) and by-path (socket) names do.
#include "link/portdirectory.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <tuple>

namespace fs = std::filesystem;

namespace {
struct Candidate
{
    int rank; // 0 UART, 1 other on-board, 2 USB serial, 3 USB modem class
    std::string prefix;
    long number;
    std::string name;
    fs::path sysfs;

    bool operator<(const Candidate &other) const
    {
        return std::tie(rank, prefix, number, name) <
               std::tie(other.rank, other.prefix, other.number, other.name);
    }
};

std::string readFirstLine(const fs::path &path)
{
    std::ifstream in(path);
    std::string line;
    std::getline(in, line);
    return line;
}

// "ttyUSB12" to ("ttyUSB", 12); a name without a trailing number gets -1.
std::pair<std::string, long> splitNumber(const std::string &name)
{
    size_t digits = name.size();
    while (digits > 0 && std::isdigit(static_cast<unsigned char>(name[digits - 1])))
        --digits;
    if (digits == name.size() || name.size() - digits > 9)
        return {name, -1};
    return {name.substr(0, digits), std::stol(name.substr(digits))};
}

// The device behind a tty, and above it the USB interface and the USB device it belongs to, if
// any. The USB device knows its maker, product and serial number; the interface and the port
// number tell apart the ports of an adapter with several.
void identify(const fs::path &tty, SerialDevice &device)
{
    std::error_code ec;
    const fs::path behind = fs::canonical(tty / "device", ec);
    if (ec) {
        device.pathKey = device.node;
        return;
    }
    fs::path interface, usb;
    for (fs::path p = behind; p.has_relative_path() && usb.empty(); p = p.parent_path()) {
        if (interface.empty() && fs::exists(p / "bInterfaceNumber", ec))
            interface = p;
        if (fs::exists(p / "idVendor", ec))
            usb = p;
    }
    if (usb.empty()) {
        device.pathKey = behind.string();
        return;
    }
    const std::string port =
        readFirstLine(interface / "bInterfaceNumber") + "-" + readFirstLine(behind / "port_number");
    // The usb-serial port's own directory is named after the node, so the socket is the interface.
    device.pathKey = (interface.empty() ? usb : interface).string() + "-" + port;
    const std::string serial = readFirstLine(usb / "serial");
    if (!serial.empty())
        device.serialKey = readFirstLine(usb / "idVendor") + ":" +
                           readFirstLine(usb / "idProduct") + ":" + serial + "-" + port;

    std::string what = readFirstLine(usb / "manufacturer");
    const std::string product = readFirstLine(usb / "product");
    if (!product.empty())
        what += (what.empty() ? "" : " ") + product;
    if (!serial.empty())
        what += (what.empty() ? "serial " : ", serial ") + serial;
    device.description = what;
}
} // namespace

std::string exampleSerialDevice()
{
    return "/dev/ttyUSB0";
}

bool systemNumbersPorts()
{
    return false;
}

std::vector<SerialDevice> listSerialDevices()
{
    return listSerialDevices("/sys/class/tty", "/dev");
}

std::vector<SerialDevice> listSerialDevices(const std::string &sysClassTty,
                                            const std::string &devDir)
{
    std::vector<Candidate> found;
    std::error_code ec;
    for (const fs::directory_entry &entry : fs::directory_iterator(sysClassTty, ec)) {
        const std::string name = entry.path().filename().string();
        // Consoles, pseudo-terminals and the like have no device behind them.
        if (!fs::exists(entry.path() / "device", ec))
            continue;
        auto [prefix, number] = splitNumber(name);
        int rank = 1;
        if (prefix == "ttyS") {
            // The kernel lists placeholder UARTs too; type 0 means no hardware answers there.
            const std::string type = readFirstLine(entry.path() / "type");
            if (type.empty() || type == "0")
                continue;
            rank = 0;
        } else if (prefix == "ttyUSB") {
            rank = 2;
        } else if (prefix == "ttyACM") {
            rank = 3;
        }
        if (!fs::exists(fs::path(devDir) / name, ec))
            continue;
        found.push_back({rank, prefix, number, name, entry.path()});
    }
    std::sort(found.begin(), found.end());
    std::vector<SerialDevice> devices;
    for (const Candidate &c : found) {
        SerialDevice device;
        device.node = (fs::path(devDir) / c.name).string();
        identify(c.sysfs, device);
        devices.push_back(std::move(device));
    }
    return devices;
}
