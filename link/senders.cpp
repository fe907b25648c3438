#include "link/senders.h"

#include "app/conversion.h"
#include "app/tform1.h"
#include "link/portcycle.h"
#include "link/portdirectory.h"

void sendMessage(int port, std::string_view mode, const Message &message)
{
    if (port == 0)
        return;
    PortCycle cycle(portDirectory().open(port), mode);
    for (const Write &write : message)
        cycle.write(write);
}

void sendLivePosition(int servo, int position)
{
    sendMessage(settings.comPort, setupMode, livePositionMessage(servo, position));
}

void sendTestPosition()
{
    if (settings.comPort == 0)
        return;
    const int baud = toInt(Form1->baudSelector->text());
    const int servo = Form1->Selector->position();
    const int position = Form1->ScrollBar1->position();
    // The address is converted before the port is opened, so a bad address sends no lone sync byte.
    const Message message = Form1->RadioButton5->isChecked()
                                ? miniSscTestMessage(toInt(Form1->Edit1->text()), servo, position)
                                : nativeTestMessage(servo, position);
    sendMessage(settings.comPort, modeString(baud), message);
}
