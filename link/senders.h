#pragma once

#include "link/messages.h"

#include <string_view>

// Sends one message in one port cycle on COMn. Nothing happens for port 0.
void sendMessage(int port, std::string_view mode, const Message &message);

// The live-position message for the servo at the setup rate, when a port is chosen.
void sendLivePosition(int servo, int position);
