#pragma once

#include <string>

// Why a port could not be used for a message.
enum class PortError
{
    None,
    NoDevice,
    PermissionDenied,
    InUse,
    NotSerial,   // a file, pipe or a device that is no serial port: never written to
    Terminal,    // a console, a virtual terminal, /dev/tty or this program's own terminal
    LineRefused, // opened, but it would not take the message's line settings
    Other
};

// Another process that has the device open or locked, as far as this one may see.
struct PortHolder
{
    std::string name;
    int pid = 0;

    bool operator==(const PortHolder &) const = default;
};
