#pragma once

#include "link/holders.h"
#include "link/messages.h"
#include "link/porterror.h"

#include <optional>
#include <string>

class PortLink;
class SerialPort;
class StallMemory;

// How a message fared.
struct SendResult
{
    PortError error = PortError::None; // why the port could not be opened
    std::optional<PortHolder> holder;  // who holds it, when in use
    bool delivered = false;            // every byte left the port in time
    std::string node;                  // the device it went to, or would have
    int systemError = 0;               // the system's reason behind PortError::Other
};

// Sends one message in one port cycle on COMn, at the message's own line settings. Nothing happens
// for port 0. Other programs' holds are looked up as fresh as `freshness` asks.
SendResult sendMessage(PortLink &link, int port, const Message &message,
                       HolderScan::Freshness freshness = HolderScan::Freshness::Recent);

// Sends one message in one port cycle on a port already opened (or that could not be).
SendResult sendThrough(SerialPort opened, const Message &message, StallMemory &stalls);

// The live-position message for the servo at the setup rate, when a port is chosen.
void sendLivePosition(PortLink &link, int port, int servo, int position);
