#pragma once

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>

// A small file the program reads only to look at it (another program's lock file, the COM
// record): read only when it is a regular file no larger than `limit`, without waiting and
// without following a link at its name. A pipe, a device, a link or anything too large reads as
// nothing, and nothing behind it is ever opened: opening a FIFO could wait for ever, opening a
// device could reset a board.
struct PlainFile
{
    std::string text;
    std::chrono::system_clock::time_point modified;
};
std::optional<PlainFile> readPlainFile(const std::string &path, std::size_t limit);
