// Windows keeps a port for one program at a time: the open itself says that another has it, and
// there are no lock files to read.
#include "link/holders.h"

HolderRoots systemHolderRoots()
{
    return {};
}

struct HolderScan::State
{
};

HolderScan::HolderScan(HolderRoots roots)
    : m_roots(std::move(roots)), m_state(std::make_unique<State>())
{}

HolderScan::~HolderScan() = default;

void HolderScan::scanNow() {}

std::optional<PortHolder> HolderScan::holderOf(const std::string &, const DeviceStamp &, Freshness)
{
    return std::nullopt;
}

std::optional<PortHolder> HolderScan::lockHolder(const std::string &, const DeviceStamp &) const
{
    return std::nullopt;
}
