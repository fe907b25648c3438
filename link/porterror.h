#pragma once

#include <string>

// Why a port could not be used for a message.
enum class PortError
{
    None,
    NoDevice,
    PermissionDenied,
    InUse,
    Other
};

// Another process that has the device open, as far as this one may see.
struct PortHolder
{
    std::string name;
    int pid = 0;

    bool operator==(const PortHolder &) const = default;
};
