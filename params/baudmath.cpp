#include "params/baudmath.h"

#include <cmath>
#include <limits>

std::int32_t baudDivisorFor(std::int32_t baud)
{
    if (baud == 0)
        return std::numeric_limits<std::int32_t>::max();
    const float q = float(divisorBase) / float(baud);
    const float r = q - 1.0f;
    // |q| <= 921600 for every non-zero rate, so the result always fits.
    return static_cast<std::int32_t>(std::floor(r + 0.5f));
}

BaudFigures baudFigures(std::int32_t baud, bool nativeFormat, bool digitalController)
{
    BaudFigures figures;
    const std::int32_t base = baud / 10 / 30;
    figures.divisor = baudDivisorFor(baud);
    if (!divisorAchievable(figures.divisor))
        return figures;
    figures.achievable = true;
    std::int32_t count = nativeFormat ? base - 6 : base / 3;
    if (count < 0)
        count = 0;
    if (digitalController)
        count *= 8;
    figures.capacity = count;
    figures.outputs = digitalController;
    if (figures.divisor < 0)
        figures.divisor = 0;
    figures.actualRate = divisorBase / (figures.divisor + 1);
    return figures;
}

bool numericKeyPasses(char key)
{
    return key == 8 || (key >= '0' && key <= '9');
}
