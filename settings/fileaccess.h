#pragma once

#include "link/plainfile.h"
#include "settings/svofile.h"

#include <cstdint>
#include <string>
#include <vector>

// A file the user chose to load, read only if it is a regular file that no other program holds,
// and without ever waiting. Its name is judged first (judgeFileName): a FIFO, a device or a link
// to one is never opened, as that could block the window for good or reset a board.
struct FileRead
{
    enum class Failure
    {
        none,
        cannotOpen,
        notRegularFile,
        reservedName, // Windows takes the name for a device
        heldByAnother,
        cannotRead,
    };
    std::vector<std::uint8_t> bytes;
    Failure failure = Failure::none;
    int error = 0; // the system's error code of the call that failed
};

// A name judged not to be a regular file, as the reading's failure.
inline FileRead refusedRead(const JudgedName &judged)
{
    using Kind = JudgedName::Kind;
    const FileRead::Failure failure =
        judged.kind == Kind::notRegularFile ? FileRead::Failure::notRegularFile
        : judged.kind == Kind::reservedName ? FileRead::Failure::reservedName
                                            : FileRead::Failure::cannotOpen;
    return {{}, failure, judged.error};
}

// Up to `limit` bytes from the start of the file.
FileRead readRegularFile(const std::string &path, std::size_t limit);

// `file` is the runtime's number of an open file, as QFileDevice::handle() gives it.
// A file being written is held exclusively until it closes: false when another program holds it.
bool lockForWriting(int file);
// The file being written in place of the one at `path` takes on its owner and group where the
// process may give them (as root: a user's file stays the user's). Elsewhere it stays the writer's,
// as a new file would be; its mode is kept by the replace itself. 0, or the system's error code.
int keepOwner(int file, const std::string &path);
// Every byte written so far is on the disk: 0, or the system's error code.
int syncToDisk(int file);

// A settings file read and decoded: it is taken only when both succeed.
struct LoadedSettings
{
    FileRead file;
    DecodedSettingsFile decoded;

    bool taken() const { return file.failure == FileRead::Failure::none && decoded.content; }
};

inline LoadedSettings loadSettingsFile(const std::string &path)
{
    LoadedSettings loaded{readRegularFile(path, settingsFileSize), {}};
    loaded.decoded = decodeSettingsFile(loaded.file.bytes);
    return loaded;
}
