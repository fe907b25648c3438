#pragma once

#include <cstdint>
#include <string>

// One serial device as the machine lists it, with what tells its adapter apart from others.
struct SerialDevice
{
    std::string node; // the name it is opened by

    std::string description; // "FTDI FT232R USB UART, serial A50285BI"; empty when nothing is known
    // The adapter's serial number with its interface and port; empty when it has none.
    std::string serialKey;
    // The physical socket it is plugged into; the node itself for a built-in port.
    std::string pathKey;

    // A device known by its node alone, as a built-in port is.
    static SerialDevice atNode(const std::string &node) { return {node, {}, {}, node}; }

    // The same adapter, whatever node it has now: by serial number where either has one (two
    // adapters in turn in one socket are not the same), else by socket. Where look-alikes share a
    // serial number, the directory asks for the socket too.
    bool sameAdapter(const SerialDevice &other) const
    {
        if (!serialKey.empty() || !other.serialKey.empty())
            return serialKey == other.serialKey;
        return pathKey == other.pathKey;
    }
};

// Which instance of a device is meant: a device made anew, as at a replug, has a new stamp even
// under the same name. `device` is the number other programs' holds are found by.
struct DeviceStamp
{
    std::uint64_t device = 0;
    std::uint64_t instance = 0;

    bool operator==(const DeviceStamp &) const = default;
};
