#pragma once

// Shared by the platform's serial port files only.
#include "link/serialport.h"

#include <sys/stat.h>

// Raw mode at the given rate and frame, flow control off, everything else as the terminal had it.
bool applyTerminalLine(int fd, const LineSettings &line);

// Whether the terminal is in exclusive mode already, that is another program's.
bool exclusiveModeSet(int fd);

// Whether the node is a serial device this program may write to, judged from what it is, before
// it is opened: NotSerial for anything but a serial device or a pseudo-terminal, Terminal for a
// console, a virtual terminal, /dev/tty and the program's own terminal.
PortError serialDeviceCheck(const struct stat &node);
