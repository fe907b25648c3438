#pragma once

#include "link/porterror.h"
#include "link/serialdevice.h"

#include <chrono>
#include <optional>

// Another process that has the device open, however it opened it, as far as this process may
// see (processes it may not inspect are not seen). Finding them means looking through every
// process, so one look serves for holderScanLifetime; a holder found is checked again before it
// is named, so one that has let go since is never reported.
// `afresh` looks again now, where the device is known to be held and the holder is to be named.
inline constexpr std::chrono::milliseconds holderScanLifetime{250};
std::optional<PortHolder> otherHolderOf(const DeviceStamp &device, bool afresh = false);

// The next question looks anew, as when the port menu opens.
void forgetHolders();
