#include "motion/sequence.h"

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
