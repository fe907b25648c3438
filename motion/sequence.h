#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A robot's performance as the board is to play it: poses, the moves between them, and how often
// it goes round.

inline constexpr int poseServos = 8;
// The board's run-time unit, which it maps into each servo's uploaded sweep: a pose can never
// leave a sweep.
inline constexpr int highestPosition = 254;
using Positions = std::array<std::uint8_t, poseServos>;

struct Pose
{
    std::string name;
    Positions positions{128, 128, 128, 128, 128, 128, 128, 128};

    bool operator==(const Pose &) const = default;
};

// How a move goes from one pose to the next: at once when its time is up, evenly, slowly at both
// ends, or slowing down as it arrives. A new easing is a value here, its row in `easings` and its
// curve in easedShare (motion/sequence.cpp); the file, the editor and the player take it from
// there.
enum class Easing
{
    Step,
    Linear,
    EaseInOut,
    EaseOut,
};

// Every easing with the name the sequence file and the editor give it, in the editor's order.
struct EasingName
{
    Easing easing;
    const char *name;
};
inline constexpr std::array easings{
    EasingName{Easing::Step, "step"},
    EasingName{Easing::Linear, "linear"},
    EasingName{Easing::EaseInOut, "ease-in-out"},
    EasingName{Easing::EaseOut, "ease-out"},
};
const char *easingName(Easing easing);
std::optional<Easing> easingNamed(std::string_view name);
// The share of a move done at `t`, from 0 at its start to 1 at its end.
double easedShare(Easing easing, double t);

struct Step
{
    int pose = 0;   // index into the poses
    int moveMs = 0; // from the pose before to this one
    int holdMs = 0; // then held
    Easing easing = Easing::Linear;

    bool operator==(const Step &) const = default;
};

struct Sequence
{
    std::vector<Pose> poses;
    std::vector<Step> steps;
    int home = 0;   // the pose it starts from, and "Home" goes back to
    int rounds = 1; // 0 for ever

    bool operator==(const Sequence &) const = default;
};

// The longest move or hold, and the most rounds, a sequence may have: a day, and a million.
inline constexpr int longestTimeMs = 24 * 3600 * 1000;
inline constexpr int mostRounds = 1'000'000;

// Why a sequence cannot be played; the field it is about, for a sentence that names it.
struct SequenceFault
{
    enum class Kind
    {
        none,
        noPoses,
        homeOutOfRange,
        poseOutOfRange, // a step names a pose there is not
        timeOutOfRange,
        roundsOutOfRange,
    };
    Kind kind = Kind::none;
    int index = 0; // the step, for the step faults

    explicit operator bool() const { return kind != Kind::none; }
};
SequenceFault checkSequence(const Sequence &sequence);
