#pragma once

#include <string>
#include <vector>

// The serial devices this machine really has, in the order COM1, COM2, ... stand for.
std::vector<std::string> listSerialDevices();
