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
    Terminal,    // a console, or the terminal this program runs in
    LineRefused, // opened, but it would not take the message's line settings
    LookAlike,   // two adapters look alike and the number cannot tell which one it means
    Changed,     // the path was given to another node than the one meant, or while opening
    Playing,     // a playback of ours holds it
    Other        // the system's own reason, as an error code of the system's
};

// Another process that has the device open or locked, as far as this one may see.
struct PortHolder
{
    std::string name; // empty when it cannot be seen, and for a stale lock
    int pid = 0;
    // A lock file names the process, but the process started after the lock was written, so it
    // is not the program that took it (its number has been used again); the lock is still there.
    bool staleLock = false;

    bool operator==(const PortHolder &) const = default;
};
