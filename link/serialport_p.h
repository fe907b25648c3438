#pragma once

// Shared by the platform's serial port files only.
#include "link/serialport.h"

struct SerialPort::Handle
{
    int fd = -1;
};

// Whether the terminal is in exclusive mode already, that is another program's.
bool exclusiveModeSet(int fd);
