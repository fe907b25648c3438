#include "motion/sequence.h"

#include <algorithm>
#include <cmath>

const char *easingName(Easing easing)
{
    for (const EasingName &e : easings)
        if (e.easing == easing)
            return e.name;
    return "linear";
}

std::optional<Easing> easingNamed(std::string_view name)
{
    for (const EasingName &e : easings)
        if (name == e.name)
            return e.easing;
    return std::nullopt;
}

double easedShare(Easing easing, double t)
{
    switch (easing) {
    case Easing::Step:
        return t >= 1.0 ? 1.0 : 0.0;
    case Easing::Linear:
        return t;
    case Easing::EaseInOut:
        return t < 0.5 ? 4 * t * t * t : 1 - std::pow(-2 * t + 2, 3) / 2;
    case Easing::EaseOut:
        return 1 - (1 - t) * (1 - t);
    }
    return t;
}

SequenceFault checkSequence(const Sequence &sequence)
{
    using Kind = SequenceFault::Kind;
    const int poses = int(sequence.poses.size());
    if (poses == 0)
        return {Kind::noPoses};
    if (sequence.home < 0 || sequence.home >= poses)
        return {Kind::homeOutOfRange};
    if (sequence.rounds < 0 || sequence.rounds > mostRounds)
        return {Kind::roundsOutOfRange};
    for (int i = 0; i < int(sequence.steps.size()); ++i) {
        const Step &step = sequence.steps[size_t(i)];
        if (step.pose < 0 || step.pose >= poses)
            return {Kind::poseOutOfRange, i};
        if (step.moveMs < 0 || step.moveMs > longestTimeMs || step.holdMs < 0 ||
            step.holdMs > longestTimeMs)
            return {Kind::timeOutOfRange, i};
    }
    return {};
}
