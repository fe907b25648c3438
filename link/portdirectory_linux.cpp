#include "link/portdirectory.h"

std::vector<std::string> listSerialDevices()
{
    return {};
}
