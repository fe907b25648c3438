#pragma once

#include "link/modestring.h"

#include <chrono>
#include <cstdint>
#include <span>

// The few things a port asks of an open serial device, below its deadlines: the system's
// terminal calls for a real device, or a stand-in that holds output as a stalled adapter does, so
// that a test can watch every deadline and the last drain happen.
class SerialDriver
{
  public:
    virtual ~SerialDriver() = default;

    // Raw mode at the given rate and frame, flow control off; false when the device refused it.
    virtual bool setLine(const LineSettings &line) = 0;
    // Hands over as many of the bytes as the device takes now: how many, 0 when it takes none
    // now, -1 when it has gone.
    virtual long writeSome(std::span<const std::uint8_t> bytes) = 0;
    // Waits up to `timeout` for the device to take more; false when it has gone. A signal ends
    // the wait early.
    virtual bool waitForRoom(std::chrono::milliseconds timeout) = 0;
    // Bytes taken but not yet sent on the line.
    virtual int unsent() = 0;
    // Waits while the line sends, or less when a signal comes.
    virtual void waitForLine(std::chrono::milliseconds time) = 0;
    // Waits for the last few bytes in the transmitter itself; false when interrupted.
    virtual bool finishTransmitter() = 0;
    // Throws away what has not been sent.
    virtual void discardUnsent() = 0;
    // Gives up our exclusive mode and closes.
    virtual void close() = 0;
};
