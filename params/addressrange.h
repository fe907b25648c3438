#pragma once

#include <cstdint>

// The board addresses that a data format and function permit.
struct AddressRange
{
    const char *label;    // as shown under the address field
    std::int32_t largest; // a larger address is pulled back to this one
};

AddressRange addressRangeFor(bool nativeFormat, bool digitalController);

// The address the field keeps: pulled back into 0 to the largest.
std::int32_t addressWithin(const AddressRange &range, std::int32_t address);

// The address field takes 5 characters in the native format and 3 in the Mini SSC format.
int addressLengthFor(bool nativeFormat);
