#include "editing/sweeprules.h"

#include <algorithm>

SweepPair pairAfterSettingBars(const SweepPair &shown, const SweepPair &loaded,
                               std::int32_t maximum)
{
    SweepPair result = loaded;
    std::int32_t startBar = shown.start;
    if (loaded.start != shown.start) {
        startBar = std::clamp(std::min(loaded.start, shown.end - minimumSweep), 0, maximum);
        result.start = startBar;
    }
    if (loaded.end != shown.end)
        result.end = std::clamp(std::max(loaded.end, startBar + minimumSweep), 0, maximum);
    return result;
}
