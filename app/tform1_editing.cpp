// Range editing: the servo selector and the two sweep bars, the travel dial, and the test panel.
#include "app/conversion.h"
#include "app/tform1.h"
#include "editing/dialmath.h"
#include "editing/sweeprules.h"
#include "link/senders.h"
#include "settings/dialmapping.h"

#include <cstdlib>

namespace {
// While the program itself moves the sweep bars, their change handlers must do nothing.
class QuietSweepBars
{
  public:
    explicit QuietSweepBars(bool &enabled) : m_enabled(enabled) { m_enabled = false; }
    ~QuietSweepBars() { m_enabled = true; }
    QuietSweepBars(const QuietSweepBars &) = delete;
    QuietSweepBars &operator=(const QuietSweepBars &) = delete;

  private:
    bool &m_enabled;
};

// The least distance between the two ends on the dial.
constexpr int minimumGap = 2;
} // namespace

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
        QuietSweepBars quiet(settings.sweepEventsEnabled);
        startSweep->setPosition(settings.sweepStarts[servo]);
        endSweep->setPosition(settings.sweepEnds[servo]);
    }
    settings.dialEndAngle = dialAngleOfPosition(startSweep->position(), startSweep->maximum());
    travel->setEndAngle(settings.dialEndAngle);
    settings.dialStartAngle = dialAngleOfPosition(endSweep->position(), endSweep->maximum());
    travel->setStartAngle(settings.dialStartAngle);
    Label6->setText(tr("Servo %1").arg(servo));
}

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
        QuietSweepBars quiet(settings.sweepEventsEnabled);
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
        QuietSweepBars quiet(settings.sweepEventsEnabled);
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

void TForm1::ScrollBar1Change(QObject *)
{
    sendTestPosition();
}

void TForm1::sendTestPosition()
{
    if (settings.comPort == 0)
        return;
    const int baud = toInt(baudSelector->text());
    const int servo = Selector->position();
    const int position = ScrollBar1->position();
    // The address is converted before the port is opened, so a bad address sends no lone sync byte.
    const Message message = RadioButton5->isChecked()
                                ? miniSscTestMessage(toInt(Edit1->text()), servo, position, baud)
                                : nativeTestMessage(servo, position, baud);
    sendMessage(portLink(), settings.comPort, message);
}

void TForm1::Panel1MouseDown(QObject *, Qt::MouseButton, Qt::KeyboardModifiers, int, int)
{
    Button1->setEnabled(false);
}

void TForm1::Panel1MouseUp(QObject *, Qt::MouseButton, Qt::KeyboardModifiers, int, int)
{
    Button1->setEnabled(true);
}
