#include "params/addressrange.h"

#include <algorithm>

AddressRange addressRangeFor(bool nativeFormat, bool digitalController)
{
    if (!digitalController)
        return nativeFormat ? AddressRange{"0 - 65527", 65527} : AddressRange{"0 - 247", 247};
    return nativeFormat ? AddressRange{"0 - 65535", 65535} : AddressRange{"0 - 255", 255};
}

std::int32_t addressWithin(const AddressRange &range, std::int32_t address)
{
    // Nor below 0: the Mini SSC test message would carry the sync byte 0xFF as the servo.
    return std::clamp(address, 0, range.largest);
}

int addressLengthFor(bool nativeFormat)
{
    return nativeFormat ? 5 : 3;
}
