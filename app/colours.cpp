#include "app/colours.h"

#include <cmath>

QColor textColourOn(const QColor &background)
{
    // Relative luminance of sRGB. Black and white stand out alike where (L + 0.05) / 0.05 equals
    // 1.05 / (L + 0.05), 4.58:1 each; every other colour stands out more from one of them.
    const auto linear = [](float c) {
        return c <= 0.04045f ? c / 12.92f : std::pow((c + 0.055f) / 1.055f, 2.4f);
    };
    const float luminance = 0.2126f * linear(background.redF()) +
                            0.7152f * linear(background.greenF()) +
                            0.0722f * linear(background.blueF());
    return luminance > 0.1791f ? Qt::black : Qt::white;
}
