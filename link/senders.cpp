#include "link/senders.h"

#include "link/portcycle.h"
#include "link/portlink.h"

SendResult sendMessage(PortLink &link, int port, std::string_view mode, const Message &message,
                       HolderScan::Freshness freshness)
{
    if (port == 0)
        return {PortError::NoDevice, {}, false};
    SerialPort opened = link.open(port, freshness);
    SendResult result{opened.error(), opened.holder(), false, opened.device()};
    PortCycle cycle(std::move(opened), mode);
    for (const Write &write : message)
        cycle.write(write);
    result.delivered = cycle.finish();
    return result;
}

void sendLivePosition(PortLink &link, int port, int servo, int position)
{
    sendMessage(link, port, setupMode, livePositionMessage(servo, position));
}
