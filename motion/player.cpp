#include "motion/player.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {
Positions between(const Positions &from, const Positions &to, double share)
{
    Positions p{};
    for (int i = 0; i < poseServos; ++i)
        p[size_t(i)] =
            std::uint8_t(std::lround(from[size_t(i)] + (to[size_t(i)] - from[size_t(i)]) * share));
    return p;
}
} // namespace

Player::Player(Sequence sequence) : m_sequence(std::move(sequence))
{
    for (const Step &step : m_sequence.steps) {
        m_starts.push_back(m_roundMs);
        m_roundMs += std::int64_t(step.moveMs) + step.holdMs;
    }
}

std::optional<std::int64_t> Player::totalMs() const
{
    if (m_sequence.rounds == 0)
        return std::nullopt;
    return m_roundMs * m_sequence.rounds;
}

Player::Moment Player::at(std::int64_t ms) const
{
    const std::vector<Pose> &poses = m_sequence.poses;
    const std::vector<Step> &steps = m_sequence.steps;
    Moment moment;
    const Positions &home = poses[size_t(m_sequence.home)].positions;
    if (steps.empty()) {
        moment.targets = home;
        moment.finished = true;
        return moment;
    }
    const std::optional<std::int64_t> total = totalMs();
    if (ms < 0)
        ms = 0;
    if (total && ms >= *total) {
        moment.targets = poses[size_t(steps.back().pose)].positions;
        moment.finished = true;
        moment.round = m_sequence.rounds - 1;
        moment.step = int(steps.size()) - 1;
        return moment;
    }
    // A round of no time at all, even for ever, is over at once: only its last pose is seen.
    if (m_roundMs == 0) {
        moment.targets = poses[size_t(steps.back().pose)].positions;
        moment.finished = true;
        return moment;
    }
    moment.round = int(ms / m_roundMs);
    const std::int64_t inRound = ms % m_roundMs;
    // The step under way: the last that starts at or before this moment, found by halving, so that
    // a sequence of many steps costs no more a frame than a short one.
    const auto after = std::upper_bound(m_starts.begin(), m_starts.end(), inRound);
    int step = int(after - m_starts.begin()) - 1;
    // Steps of no time at all are passed over to the one under way.
    moment.step = step;
    const Step &now = steps[size_t(step)];
    const Positions &to = poses[size_t(now.pose)].positions;
    const Positions &from = step > 0 ? poses[size_t(steps[size_t(step) - 1].pose)].positions
                            : moment.round == 0 ? home
                                                : poses[size_t(steps.back().pose)].positions;
    const std::int64_t into = inRound - m_starts[size_t(step)];
    moment.targets = into >= now.moveMs
                         ? to
                         : between(from, to, easedShare(now.easing, double(into) / now.moveMs));
    return moment;
}

std::int64_t Player::steadyUntil(std::int64_t ms) const
{
    const Moment now = at(ms);
    if (now.finished)
        return std::numeric_limits<std::int64_t>::max();
    ms = std::max<std::int64_t>(ms, 0);
    const Step &step = m_sequence.steps[size_t(now.step)];
    const std::int64_t moveEnd =
        std::int64_t(now.round) * m_roundMs + m_starts[size_t(now.step)] + step.moveMs;
    const std::int64_t stepEnd =
        std::min(moveEnd + step.holdMs, totalMs().value_or(moveEnd + step.holdMs));
    const Positions &to = m_sequence.poses[size_t(step.pose)].positions;
    if (ms >= moveEnd || now.targets == to)
        return stepEnd;
    if (step.easing == Easing::Step)
        return moveEnd;
    // Each servo moves one way only, so the moments with these very targets are one stretch:
    // its end is found by halving, at the latest where the move ends.
    std::int64_t same = ms, differs = moveEnd;
    while (differs - same > 1) {
        const std::int64_t middle = same + (differs - same) / 2;
        (at(middle).targets == now.targets ? same : differs) = middle;
    }
    return differs;
}

Sequence homeMove(const Positions &from, const Sequence &sequence, int moveMs)
{
    Sequence move;
    move.poses = {Pose{"", from}, sequence.poses[size_t(sequence.home)]};
    move.steps = {Step{1, moveMs, 0, Easing::EaseInOut}};
    move.home = 0;
    move.rounds = 1;
    return move;
}
