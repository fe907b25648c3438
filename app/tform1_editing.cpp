// Range editing: the servo selector and the two sweep bars, the travel dial, and the test panel.
#include "app/conversion.h"
#include "app/tform1.h"
#include "editing/dialmath.h"
#include "editing/sweeprules.h"
#include "link/senders.h"
#include "settings/dialmapping.h"
#include "ui_tform1.h"

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
    if (!m_flags.sweepEventsEnabled)
        return;
    // The moving bar gives way; setting it runs this handler again, nested, for the corrected
    // position, so a corrected edit is stored and sent twice.
    if (ui->startSweep->position() > ui->endSweep->position() - minimumSweep)
        ui->startSweep->setPosition(ui->endSweep->position() - minimumSweep);
    const int servo = ui->Selector->position();
    const int start = ui->startSweep->position();
    m_settings.dialEndAngle = dialAngleOfPosition(start, ui->startSweep->maximum());
    ui->travel->setEndAngle(m_settings.dialEndAngle);
    m_settings.sweepStarts[servo] = start;
    sendLive(ui->startSweep, servo, start);
}

void TForm1::endSweepChange(QObject *)
{
    if (!m_flags.sweepEventsEnabled)
        return;
    if (ui->endSweep->position() < ui->startSweep->position() + minimumSweep)
        ui->endSweep->setPosition(ui->startSweep->position() + minimumSweep);
    const int servo = ui->Selector->position();
    const int end = ui->endSweep->position();
    m_settings.dialStartAngle = dialAngleOfPosition(end, ui->endSweep->maximum());
    ui->travel->setStartAngle(m_settings.dialStartAngle);
    m_settings.sweepEnds[servo] = end;
    sendLive(ui->endSweep, servo, end);
}

void TForm1::SelectorChange(QObject *)
{
    const int servo = ui->Selector->position();
    {
        // Shown as stored, even closer than the least distance or inverted; nothing is sent.
        QuietSweepBars quiet(m_flags.sweepEventsEnabled);
        ui->startSweep->setPosition(m_settings.sweepStarts[servo]);
        ui->endSweep->setPosition(m_settings.sweepEnds[servo]);
    }
    m_settings.dialEndAngle =
        dialAngleOfPosition(ui->startSweep->position(), ui->startSweep->maximum());
    ui->travel->setEndAngle(m_settings.dialEndAngle);
    m_settings.dialStartAngle =
        dialAngleOfPosition(ui->endSweep->position(), ui->endSweep->maximum());
    ui->travel->setStartAngle(m_settings.dialStartAngle);
    ui->Label6->setText(tr("Servo %1").arg(servo));
}

void TForm1::travelMouseDown(QObject *, Qt::MouseButton, Qt::KeyboardModifiers, int x, int y)
{
    m_flags.dialDragging = true;
    const int angle = pointerAngle(x, y, ui->travel->width(), ui->travel->height());
    // Plain differences, no wrap-around; a tie takes the start angle (the end of sweep).
    m_flags.dialGrabsStartAngle =
        std::abs(angle - m_settings.dialStartAngle) <= std::abs(angle - m_settings.dialEndAngle);
}

void TForm1::travelMouseMove(QObject *, Qt::KeyboardModifiers, int x, int y)
{
    if (!m_flags.dialDragging)
        return;
    int angle = pointerAngle(x, y, ui->travel->width(), ui->travel->height());
    const int servo = ui->Selector->position();
    int position = 0;
    if (m_flags.dialGrabsStartAngle) {
        if (angle > m_settings.dialEndAngle - minimumGap)
            angle = m_settings.dialEndAngle - minimumGap;
        if (angle < 0)
            angle = 0;
        ui->travel->setStartAngle(angle);
        m_settings.dialStartAngle = angle;
        QuietSweepBars quiet(m_flags.sweepEventsEnabled);
        ui->endSweep->setPosition(
            positionOfDialAngle(m_settings.dialStartAngle, ui->endSweep->maximum()));
        position = ui->endSweep->position();
        m_settings.sweepEnds[servo] = position;
    } else {
        if (angle > dialTopAngle)
            angle = dialTopAngle;
        if (angle < m_settings.dialStartAngle + minimumGap)
            angle = m_settings.dialStartAngle + minimumGap;
        ui->travel->setEndAngle(angle);
        m_settings.dialEndAngle = angle;
        QuietSweepBars quiet(m_flags.sweepEventsEnabled);
        ui->startSweep->setPosition(
            positionOfDialAngle(m_settings.dialEndAngle, ui->startSweep->maximum()));
        position = ui->startSweep->position();
        m_settings.sweepStarts[servo] = position;
    }
    // One message per mouse movement, also when nothing changed, so the servo follows the pointer.
    sendLive(ui->travel, servo, position);
}

void TForm1::travelMouseUp(QObject *, Qt::MouseButton, Qt::KeyboardModifiers, int, int)
{
    m_flags.dialDragging = false;
}

void TForm1::ScrollBar1Change(QObject *)
{
    sendTestPosition();
}

void TForm1::sendTestPosition()
{
    if (m_settings.comPort == 0)
        return;
    const int baud = toInt(ui->baudSelector->text());
    const int servo = ui->Selector->position();
    const int position = ui->ScrollBar1->position();
    // The address is converted before the port is opened, so a bad address sends no lone sync byte.
    const Message message =
        ui->RadioButton5->isChecked()
            ? miniSscTestMessage(toInt(ui->Edit1->text()), servo, position, baud)
            : nativeTestMessage(servo, position, baud);
    noteRefusal(ui->ScrollBar1, sendMessage(portLink(), m_settings.comPort, message));
}

void TForm1::Panel1MouseDown(QObject *, Qt::MouseButton, Qt::KeyboardModifiers, int, int)
{
    ui->Button1->setEnabled(false);
}

void TForm1::Panel1MouseUp(QObject *, Qt::MouseButton, Qt::KeyboardModifiers, int, int)
{
    ui->Button1->setEnabled(true);
}
