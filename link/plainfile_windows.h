#pragma once

// Shared by the Windows files only: a file opened for reading once its name has been judged.
#include "link/plainfile.h"
#include "link/text_windows.h"

#include <string>

// Opens `path` for reading, shared as `share` says, only when it is a regular file on a disk. A
// device's name (COM1.svo, \\.\COM1) is refused before anything is opened, a folder by its
// attributes; whatever else the open reaches is closed again unless it is a disk file. A user's
// names are followed through links (`followLink`); a file the program only looks at is not. On a
// regular file, `file` holds it open.
JudgedName openRegularFile(const std::string &path, bool followLink, DWORD share, HANDLE &file);
