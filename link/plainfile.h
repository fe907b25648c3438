#pragma once

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>

// Every file the program is given or looks at is judged by its name before anything behind that
// name is opened: a pipe could make the open wait for ever, and opening a serial adapter raises
// its control lines, which resets many boards. POSIX looks at a path handle, which opens nothing;
// Windows looks at the name itself, where CON, NUL.svo or COM1.svseq is the device in any folder.
struct JudgedName
{
    enum class Kind
    {
        regularFile,
        missing,        // nothing at the name (or its folder): a file may be made there
        notRegularFile, // a folder, a device, a pipe, or a link to one
        reservedName,   // a device's name on Windows, whatever its folder or extension
        cannotOpen,     // `error` says why
    };
    Kind kind = Kind::regularFile;
    int error = 0; // the system's error code, for cannotOpen
};

// What a name the user gave stands for, links followed, without opening it: for a file about to
// be written in its place.
JudgedName judgeFileName(const std::string &path);

// Whether Windows takes the last part of `path` (UTF-8) for a device: its base before the first
// dot, without trailing spaces or a colon, is CON, PRN, AUX, NUL, COM1 to COM9 or LPT1 to LPT9
// (also with the superscript digits 1, 2 and 3), in any letter case.
bool windowsReservedName(const std::string &path);

// A small file the program reads only to look at it (another program's lock file, the COM
// record): read only when it is a regular file no larger than `limit`, without waiting and
// without following a link at its name. A pipe, a device, a link or anything too large reads as
// nothing, and nothing behind it is ever opened.
struct PlainFile
{
    std::string text;
    std::chrono::system_clock::time_point modified;
};
std::optional<PlainFile> readPlainFile(const std::string &path, std::size_t limit);
