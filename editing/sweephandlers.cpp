// The servo selector and the two sweep bars.
#include "app/tform1.h"
#include "editing/quietsweepbars.h"
#include "editing/sweeprules.h"
#include "link/senders.h"
#include "settings/dialmapping.h"

void TForm1::startSweepChange(QObject *)
{
    if (!settings.sweepEventsEnabled)
        return;
    // The moving bar gives way; setting it runs this handler again, nested, for the corrected
    // position, so a corrected edit is stored and sent twice.
    if (startSweep->position() > endSweep->position() - minimumSweep)
        startSweep->setPosition(endSweep->position() - minimumSweep);
    const int servo = Selector->position();
    const int start = startSweep->position();
    settings.dialEndAngle = dialAngleOfPosition(start, startSweep->maximum());
    travel->setEndAngle(settings.dialEndAngle);
    settings.sweepStarts[servo] = start;
    sendLivePosition(portLink(), settings.comPort, servo, start);
}

void TForm1::endSweepChange(QObject *)
{
    if (!settings.sweepEventsEnabled)
        return;
    if (endSweep->position() < startSweep->position() + minimumSweep)
        endSweep->setPosition(startSweep->position() + minimumSweep);
    const int servo = Selector->position();
    const int end = endSweep->position();
    settings.dialStartAngle = dialAngleOfPosition(end, endSweep->maximum());
    travel->setStartAngle(settings.dialStartAngle);
    settings.sweepEnds[servo] = end;
    sendLivePosition(portLink(), settings.comPort, servo, end);
}

void TForm1::SelectorChange(QObject *)
{
    const int servo = Selector->position();
    {
        // Shown as stored, even closer than the least distance or inverted; nothing is sent.
        QuietSweepBars quiet;
        startSweep->setPosition(settings.sweepStarts[servo]);
        endSweep->setPosition(settings.sweepEnds[servo]);
    }
    settings.dialEndAngle = dialAngleOfPosition(startSweep->position(), startSweep->maximum());
    travel->setEndAngle(settings.dialEndAngle);
    settings.dialStartAngle = dialAngleOfPosition(endSweep->position(), endSweep->maximum());
    travel->setStartAngle(settings.dialStartAngle);
    Label6->setText(tr("Servo %1").arg(servo));
}
