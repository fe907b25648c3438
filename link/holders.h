#pragma once

#include "link/porterror.h"
#include "link/serialdevice.h"

#include <chrono>
#include <memory>
#include <optional>
#include <string>

// Where the system shows its processes and keeps its lock files. A test gives trees of its own,
// so that what it finds never depends on what else runs on the machine.
struct HolderRoots
{
    std::string processes;
    std::string locks;
};
// The machine's own.
HolderRoots systemHolderRoots();

// Other processes that hold a device: whoever has it open, however it opened it (under another
// name, through a bind mount or a link), as far as this process may see (processes it may not
// inspect are not seen), and whoever has taken a UUCP lock file for it (LCK..ttyUSB0, as minicom
// and friends write them).
//
// Finding who has a device open means looking through every process's descriptors, which on a
// busy machine takes a second. So a look, lock files included, is taken at the moments the user
// waits for an answer anyway (the port menu, choosing a port, an upload, the command line), and
// messages sent while the user drags use the last look at the processes, which a look taken in
// the background keeps at most about two seconds old while messages are being sent. A holder
// found is checked again before it is named, so one that has let go since is never reported.
class HolderScan
{
  public:
    enum class Freshness
    {
        Now,    // look through every process first
        Recent, // the last look will do; a new one starts in the background when it is old
    };
    static constexpr std::chrono::milliseconds recentEnough{1000};

    explicit HolderScan(HolderRoots roots = systemHolderRoots());
    ~HolderScan();
    HolderScan(const HolderScan &) = delete;
    HolderScan &operator=(const HolderScan &) = delete;

    // Another process that has `node` (the device instance `device`) open or locked.
    std::optional<PortHolder> holderOf(const std::string &node, const DeviceStamp &device,
                                       Freshness freshness);
    // A live process's UUCP lock file for the device; no process list is needed for it. A lock
    // whose process started after it was written is named as a stale lock, not as that process.
    std::optional<PortHolder> lockHolder(const std::string &node, const DeviceStamp &device) const;
    // Looks through every process now.
    void scanNow();

  private:
    struct State;
    HolderRoots m_roots;
    std::unique_ptr<State> m_state;
};
