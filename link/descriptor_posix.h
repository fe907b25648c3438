#pragma once

// Shared by the POSIX files only: a descriptor closed when it goes out of scope.
#include <unistd.h>

struct Descriptor
{
    int fd;
    ~Descriptor()
    {
        if (fd >= 0)
            ::close(fd);
    }
};
