#include "editing/dialmath.h"

#include <cmath>

int pointerAngle(int x, int y, int width, int height)
{
    const int cx = width / 2;
    const int cy = height / 2;
    const long double r =
        std::atan2(static_cast<long double>(cx - x), static_cast<long double>(cy - y));
    return static_cast<int>(r * 57.2958L + 90.0L);
}
