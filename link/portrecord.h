#pragma once

#include "link/serialdevice.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

// Which adapter each COM number stands for, kept from one run to the next in a small file, so
// that COM1 means the same board tomorrow as today, in the window and on the command line.
struct RecordedAdapter
{
    SerialDevice device;       // as last seen
    std::int64_t lastSeen = 0; // seconds since the epoch

    bool operator==(const RecordedAdapter &other) const
    {
        return device.node == other.device.node && device.description == other.device.description &&
               device.serialKey == other.device.serialKey &&
               device.pathKey == other.device.pathKey && lastSeen == other.lastSeen;
    }
};

inline constexpr int recordedPortCount = 4;
using PortNumbers = std::array<std::optional<RecordedAdapter>, recordedPortCount>;

// The file's text; a record that is missing, unreadable or damaged in any way reads as empty.
std::string encodePortNumbers(const PortNumbers &numbers);
std::optional<PortNumbers> decodePortNumbers(const std::string &text);

// Where this user's record lives on this system; empty when it has nowhere to live.
std::string defaultPortRecordPath();

// Held while one instance reads the record, changes it and writes it back, so that two instances
// never deal numbers from stale copies: the second reads what the first wrote. Not held when it
// cannot be had within a second; the numbers then still hold for the run.
class PortRecordLock
{
  public:
    explicit PortRecordLock(const std::string &recordPath);
    ~PortRecordLock();
    PortRecordLock(const PortRecordLock &) = delete;
    PortRecordLock &operator=(const PortRecordLock &) = delete;

    bool held() const { return m_handle != -1; }

  private:
    std::intptr_t m_handle = -1;
};

// Reads the record; an empty one when there is none or it cannot be read whole.
PortNumbers readPortRecord(const std::string &path);
// Writes it whole beside the old one and puts it in its place in one step. False when it could
// not be written; the numbers still hold for this run.
bool writePortRecord(const std::string &path, const PortNumbers &numbers);
