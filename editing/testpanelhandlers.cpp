// The test panel: its slider moves the selected servo at the chosen rate.
#include "app/conversion.h"
#include "app/tform1.h"
#include "link/modestring.h"
#include "link/senders.h"

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
