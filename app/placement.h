#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// Where a window of the given outer size (frame included) opens on a screen whose free area is
// `available`: at `wanted` where it fits whole, otherwise as near to it as keeps it whole on that
// screen. A window larger than the screen keeps its top-left corner, and so its title bar and
// menus, on the screen.
QPoint placeWithin(const QRect &available, const QSize &window, const QPoint &wanted);
