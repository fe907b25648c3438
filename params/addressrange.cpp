#include "params/addressrange.h"

AddressRange addressRangeFor(bool nativeFormat, bool digitalController)
{
    if (!digitalController)
        return nativeFormat ? AddressRange{"0 - 65527", 65527} : AddressRange{"0 - 247", 247};
    return nativeFormat ? AddressRange{"0 - 65535", 65535} : AddressRange{"0 - 255", 255};
}

int addressLengthFor(bool nativeFormat)
{
    return nativeFormat ? 5 : 3;
}
