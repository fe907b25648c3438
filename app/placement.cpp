#include "app/placement.h"

#include <algorithm>

namespace {
int placeAlong(int wanted, int size, int first, int length)
{
    return std::max(first, std::min(wanted, first + length - size));
}
} // namespace

QPoint placeWithin(const QRect &available, const QSize &window, const QPoint &wanted)
{
    return {placeAlong(wanted.x(), window.width(), available.x(), available.width()),
            placeAlong(wanted.y(), window.height(), available.y(), available.height())};
}
