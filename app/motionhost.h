#pragma once

#include "motion/frames.h"

class PortLink;

// What the Motion window needs of the window that opens it: the port the user chose, the link that
// carries messages to it, and the choices the frames are made for. Nothing else of that window is
// reached; it hears of the Motion window's playback through the window's signals.
class MotionHost
{
  public:
    virtual ~MotionHost() = default;

    // 0 while no port has been chosen.
    virtual int chosenPort() const = 0;
    virtual PortLink &portLink() = 0;
    // The data format, the address and the rate; a text that does not convert raises the error.
    virtual MotionLink motionLink() const = 0;
    // "Digital Controller" is chosen: the board drives outputs, and there is no motion.
    virtual bool digitalController() const = 0;
};
