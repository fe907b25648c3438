#pragma once

#include "link/messages.h"

#include <string_view>

// Sends one message in one port cycle on COMn. Nothing happens for port 0.
void sendMessage(int port, std::string_view mode, const Message &message);

// The live-position message for the servo at the setup rate, when a port is chosen.
void sendLivePosition(int servo, int position);

// The test-position message for the selected servo and the test slider's position, at the rate
// in the "Baud Rate" box, in the Mini SSC or the native form. Every text is converted before
// anything is written: a text that does not convert sends nothing.
void sendTestPosition();
