#pragma once

#include <string>

// Who may write to a device and whether this process is among them, for advice that is true: a
// user already in the device's group needs a new login, not another group.
struct DeviceAccess
{
    std::string owner; // user and group names, or their numbers when they have none
    std::string group;
    unsigned mode = 0;          // the permission bits
    bool inGroupNow = false;    // this process has the device's group
    bool inGroupListed = false; // the user is in the group by the group database
    // The group the system gives its serial ports, which a user joins to use them.
    bool serialPortGroup = false;
};

// For the device as it is now; all empty when it cannot be looked at.
DeviceAccess deviceAccess(const std::string &device);
