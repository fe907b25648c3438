#pragma once

// Recomputes baudDivisor and the "Baud Rate" group's figures from the typed rate and the two
// choices. A rate text that does not convert raises the error before anything changes.
void recalcBaudAndCapacity();

// Shows the address range of the current choices and pulls a larger address back, with a beep.
void updateAddressRange();
