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
} // namespace

std::vector<std::string> listSerialDevices(const std::string &sysClassTty,
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
        found.push_back({rank, prefix, number, name});
    }
    std::sort(found.begin(), found.end());
    std::vector<std::string> devices;
    for (const Candidate &c : found)
        devices.push_back((fs::path(devDir) / c.name).string());
    return devices;
}
