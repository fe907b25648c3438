// The travel dial: dragging either end of the sector moves that end of the selected servo's sweep.
#include "app/tform1.h"
#include "editing/dialmath.h"
#include "editing/quietsweepbars.h"
#include "link/senders.h"
#include "settings/dialmapping.h"

#include <cstdlib>

namespace {
// The least distance between the two ends on the dial.
constexpr int minimumGap = 2;
} // namespace

void TForm1::travelMouseDown(QObject *, Qt::MouseButton, Qt::KeyboardModifiers, int x, int y)
{
    settings.dialDragging = true;
    const int angle = pointerAngle(x, y, travel->width(), travel->height());
    // Plain differences, no wrap-around; a tie takes the start angle (the end of sweep).
    settings.dialGrabsStartAngle =
        std::abs(angle - settings.dialStartAngle) <= std::abs(angle - settings.dialEndAngle);
}

void TForm1::travelMouseMove(QObject *, Qt::KeyboardModifiers, int x, int y)
{
    if (!settings.dialDragging)
        return;
    int angle = pointerAngle(x, y, travel->width(), travel->height());
    const int servo = Selector->position();
    int position = 0;
    if (settings.dialGrabsStartAngle) {
        if (angle > settings.dialEndAngle - minimumGap)
            angle = settings.dialEndAngle - minimumGap;
        if (angle < 0)
            angle = 0;
        travel->setStartAngle(angle);
        settings.dialStartAngle = angle;
        QuietSweepBars quiet;
        endSweep->setPosition(positionOfDialAngle(settings.dialStartAngle, endSweep->maximum()));
        position = endSweep->position();
        settings.sweepEnds[servo] = position;
    } else {
        if (angle > dialTopAngle)
            angle = dialTopAngle;
        if (angle < settings.dialStartAngle + minimumGap)
            angle = settings.dialStartAngle + minimumGap;
        travel->setEndAngle(angle);
        settings.dialEndAngle = angle;
        QuietSweepBars quiet;
        startSweep->setPosition(positionOfDialAngle(settings.dialEndAngle, startSweep->maximum()));
        position = startSweep->position();
        settings.sweepStarts[servo] = position;
    }
    // One message per mouse movement, also when nothing changed, so the servo follows the pointer.
    sendLivePosition(portLink(), settings.comPort, servo, position);
}

void TForm1::travelMouseUp(QObject *, Qt::MouseButton, Qt::KeyboardModifiers, int, int)
{
    settings.dialDragging = false;
}
