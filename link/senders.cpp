#include "link/senders.h"

#include "link/portcycle.h"
#include "link/portlink.h"

SendResult sendMessage(PortLink &link, int port, const Message &message,
                       HolderScan::Freshness freshness)
{
    if (port == 0)
        return {PortError::NoDevice, {}, false, {}, 0};
    return sendThrough(link.open(port, freshness), message, link.stalls());
}

SendResult sendThrough(SerialPort opened, const Message &message, StallMemory &stalls)
{
    SendResult result{opened.error(), opened.holder(), false, opened.device(),
                      opened.systemError()};
    PortCycle cycle(std::move(opened), message.line, stalls);
    for (const Write &write : message.writes)
        cycle.write(write);
    result.delivered = cycle.finish();
    if (cycle.lineRefused())
        result.error = PortError::LineRefused;
    return result;
}

void sendLivePosition(PortLink &link, int port, int servo, int position)
{
    sendMessage(link, port, livePositionMessage(servo, position));
}
