#pragma once

// Shared by the POSIX files only: a file opened for reading once its node has been judged.
#include "link/descriptor_posix.h"
#include "link/plainfile.h"

#include <string>
#include <sys/stat.h>

// Opens `path` for reading, without waiting, only when it is a regular file: judged by a path
// handle first, then opened through that handle, so that the node judged is the node opened.
// A user's names are followed through links (`followLink`); a file the program only looks at is
// not. On a regular file, `file` holds it open and `node` is its status.
JudgedName openRegularFile(const std::string &path, bool followLink, Descriptor &file,
                           struct stat &node);
