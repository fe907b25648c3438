#pragma once

#include "motion/sequence.h"

#include <cstdint>
#include <optional>
#include <vector>

// Where each servo is to be at a moment of a sequence: a pure function of the time since it began,
// so that it is the same whatever the clock and the load. At 0 every servo is at the home pose;
// each step moves from the pose before it (the home pose for the first step of the first round,
// the last step's pose for the first step of a later round) to its own, then holds it. After the
// last round every servo stays on the last pose.
class Player
{
  public:
    // A sequence checkSequence accepts.
    explicit Player(Sequence sequence);

    struct Moment
    {
        Positions targets{};
        bool finished = false;
        int round = 0; // counted from 0
        int step = 0;  // the step under way
    };
    Moment at(std::int64_t ms) const;
    // The first moment after `ms` whose targets may differ from those at `ms`: the end of a hold,
    // of a move at a step, or the next change of a move, as the targets of a move change one way
    // only. Past the end, nothing changes again (the largest time).
    std::int64_t steadyUntil(std::int64_t ms) const;

    std::int64_t roundMs() const { return m_roundMs; }
    // Nothing for a sequence that goes round for ever.
    std::optional<std::int64_t> totalMs() const;
    const Sequence &sequence() const { return m_sequence; }

  private:
    Sequence m_sequence;
    std::vector<std::int64_t> m_starts; // of each step within a round
    std::int64_t m_roundMs = 0;
};

// A short move from where the servos are to the home pose, as "Home" plays it.
Sequence homeMove(const Positions &from, const Sequence &sequence, int moveMs);
