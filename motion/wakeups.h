#pragma once

// What the system granted a thread that must wake on time (a playback's): a frame is left out when
// its thread wakes too late for it, so the earlier a busy machine wakes it, the fewer are lost.
enum class WakeUps
{
    realTime,       // a real-time class at a low priority: ahead of every ordinary thread
    raisedPriority, // a higher priority among ordinary threads (a lower nice value)
    preciseTimer,   // only timers that fire without slack
    asScheduled,    // nothing beyond what every thread gets
};

// Asks for the best the system lets this process have, for the calling thread only. Nothing
// else changes when it is refused: a user without the right keeps the ordinary class.
WakeUps askForTimelyWakeUps() noexcept;
