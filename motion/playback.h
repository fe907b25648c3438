#pragma once

#include "link/serialport.h"
#include "motion/frames.h"
#include "motion/player.h"
#include "motion/wakeups.h"

#include <chrono>
#include <functional>
#include <memory>
#include <vector>

// A sequence played to a port held open for the whole playback, on a thread of its own, so that
// the window never waits for the line. Frames follow the steady clock: a frame that is late is
// left out, never sent late, so a show keeps its length whatever else the machine does: the clock
// is looked at again just before each write, after the wait that may have woken late. The port is
// opened exclusively by whoever hands it over, keeps the message's line settings throughout, and is
// closed (its exclusive mode cleared) when the playback ends, however it ends.
class Playback
{
  public:
    enum class Ending
    {
        running,
        finished,
        stopped,
        stalled,     // the port took no bytes for the stall limit
        gone,        // the device went away (unplugged)
        lineRefused, // it would not take the line settings; nothing was sent
        interrupted, // a signal, on the command line
    };
    struct Progress
    {
        std::int64_t elapsedMs = 0; // of the sequence's own time, by the last frame sent
        std::int64_t framesSent = 0;
        std::int64_t framesLeftOut = 0; // late, so not sent; slots within the show only
        // Where the frames sent leave each servo (the show's start for one not sent yet): in Mini
        // SSC a servo a full frame could not carry lags behind its target.
        Positions last{};
        Ending ending = Ending::running;
        WakeUps wakeUps = WakeUps::asScheduled; // what the system granted its thread
    };
    // How late a frame may be sent: later than this after its moment, it is left out. Well under
    // a frame, so that a frame never lands next to the one after it.
    static constexpr std::chrono::milliseconds lateTolerance{10};
    // Called on the playback's thread with each frame's slot and bytes as they go out.
    using Tap = std::function<void(std::int64_t slot, const std::vector<std::uint8_t> &bytes)>;

    Playback(SerialPort port, Player player, MotionLink link,
             std::chrono::milliseconds stallLimit = std::chrono::milliseconds(2000), Tap tap = {});
    ~Playback(); // stops it, and returns once the port is closed
    Playback(const Playback &) = delete;
    Playback &operator=(const Playback &) = delete;

    // Ends it before the next frame, or within a few milliseconds a write to a port that takes
    // no bytes; what that write had not handed over is thrown away.
    void stop();
    Progress progress() const;
    // The slots left out, as runs of frames one after another: those from the `first`th run on.
    // The last run may still grow. Past `mostLeftOutRuns` only the count goes on.
    struct LeftOut
    {
        std::int64_t firstSlot = 0;
        std::int64_t lastSlot = 0;
        bool operator==(const LeftOut &) const = default;
    };
    static constexpr size_t mostLeftOutRuns = 100'000;
    std::vector<LeftOut> leftOut(size_t first = 0) const;
    bool running() const { return progress().ending == Ending::running; }
    // Waits until it has ended.
    void wait();

  private:
    struct State;
    std::unique_ptr<State> m_state;
};
