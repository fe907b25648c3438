#include "link/senders.h"

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
