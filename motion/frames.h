#pragma once

#include "motion/player.h"
#include "motion/sequence.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <vector>

// Frames for the board at its real-time rate: a frame every thirtieth of a second, the rate the
// window's real-time capacity is worked out for, each no longer than the line carries in that
// time (a tenth of the baud rate in bytes a second). The native form sends all eight positions in
// 13 bytes; Mini SSC sends 3 bytes for each servo whose position changed, as many as fit, those
// that have waited longest first, so that every servo arrives. A frame that needs more time than a
// thirtieth goes every second or third thirtieth instead.

struct MotionLink
{
    bool nativeFormat = false;
    int address = 0; // Mini SSC's servo numbers start here
    int baud = 9600;

    bool operator==(const MotionLink &) const = default;
};

// Mini SSC numbers the servos from the address up, and 255 is its sync byte, never a servo: the
// eighth servo is 254 at most. The native form carries the address in two bytes.
constexpr int largestLinkAddress(bool nativeFormat)
{
    return nativeFormat ? 65535 : 254 - (poseServos - 1);
}

inline constexpr int framesPerSecond = 30;
// The moment of frame slot k, in microseconds from the start.
constexpr std::int64_t slotMicroseconds(std::int64_t k)
{
    return k * 1'000'000 / framesPerSecond;
}

struct FrameTiming
{
    int slotsPerFrame = 1;  // thirtieths of a second from one frame to the next
    int servosPerFrame = 8; // the most a frame carries
    double framesPerSecond() const { return double(::framesPerSecond) / slotsPerFrame; }
};
// For a rate of at least 300 baud.
FrameTiming frameTiming(const MotionLink &link);

// Turns the targets of each frame into the bytes that carry them, remembering what the board has
// been sent.
class FramePlanner
{
  public:
    explicit FramePlanner(const MotionLink &link);

    // The bytes for frame slot `slot`; empty when the board has every target already (Mini SSC).
    std::vector<std::uint8_t> frame(const Positions &targets, std::int64_t slot);
    // The board has every target of the last frame that it can be sent.
    bool settled() const;
    // Whether a servo can be sent at all: in Mini SSC, a servo whose number would be past 254 (or
    // below 0) is not; a link whose address allows that is refused before it plays.
    bool carries(int servo) const;
    const FrameTiming &timing() const { return m_timing; }
    // Where the frames so far leave each servo: `unknown`'s position for a servo not sent yet.
    Positions board(const Positions &unknown) const;

  private:
    MotionLink m_link;
    FrameTiming m_timing;
    std::array<bool, poseServos> m_known{}; // whether a servo has had a message yet
    Positions m_sent{};
    // When each servo's target first differed from what the board has; -1 while it has it.
    std::array<std::int64_t, poseServos> m_waitingSince{};
};

// Every frame of a sequence that goes round a known number of times, as the line would carry
// them, with the slot of each: what --dry-run prints. Handed over one by one, as a long show has
// more frames than memory holds; `take` returns false to have no more.
struct PlannedFrame
{
    std::int64_t slot = 0;
    std::vector<std::uint8_t> bytes;
};
void forEachFrame(const Player &player, const MotionLink &link,
                  const std::function<bool(const PlannedFrame &)> &take);
// The same frames one at a time, a walk that can be copied to go on later from where it stands.
class FrameWalk
{
  public:
    // `player` outlives the walk and its copies.
    FrameWalk(const Player &player, const MotionLink &link);
    // The next frame that carries bytes; false once the show has no more.
    bool next(PlannedFrame &frame);
    // The slot planned next.
    std::int64_t slot() const { return m_slot; }

  private:
    const Player *m_player;
    MotionLink m_link;
    FramePlanner m_planner;
    std::int64_t m_slot = 0;
    bool m_done = false;
};
std::vector<PlannedFrame> planFrames(const Player &player, const MotionLink &link);

// Where the board holds each servo once the frames planned up to slot `slot` have arrived, from
// `start`: the targets as the line carries them, late where a frame could not carry every servo.
Positions boardAfter(const Player &player, const MotionLink &link, std::int64_t slot,
                     Positions start);
// The same for one show at many moments, as a playhead asks: the walk's state is kept every so
// many frames, so that each stretch of a long show is planned once, however the playhead moves.
class BoardTrack
{
  public:
    // Marks the walk's state every `markEvery` frames.
    BoardTrack(Player player, const MotionLink &link, const Positions &start, int markEvery = 256);
    BoardTrack(const BoardTrack &) = delete;
    BoardTrack &operator=(const BoardTrack &) = delete;
    Positions after(std::int64_t slot);
    const MotionLink &link() const { return m_link; }

  private:
    struct Mark
    {
        FrameWalk walk;
        Positions board; // after the frames before the walk's slot
    };
    Player m_player;
    MotionLink m_link;
    std::vector<Mark> m_marks;
    int m_markEvery;
};

// The targets at each thirtieth of a second, for a microcontroller to replay: rows of eight.
void forEachSlot(const Player &player,
                 const std::function<void(std::int64_t slot, const Positions &)> &take);
std::vector<Positions> targetsEverySlot(const Player &player);
