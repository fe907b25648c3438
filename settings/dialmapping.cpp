#include "settings/dialmapping.h"

// 64-bit intermediates: stored positions loaded from a file are not range-checked, and the
// product must not overflow for them either.
std::int32_t dialAngleOfPosition(std::int32_t position, std::int32_t maximum)
{
    return static_cast<std::int32_t>(dialTopAngle -
                                     std::int64_t{dialTopAngle} * position / maximum);
}

std::int32_t positionOfDialAngle(std::int32_t angle, std::int32_t maximum)
{
    return static_cast<std::int32_t>((std::int64_t{dialTopAngle} - angle) * maximum / dialTopAngle);
}
