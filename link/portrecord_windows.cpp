// Windows numbers its ports itself: COMn is the system's COMn, and there is no record to keep.
#include "link/portrecord.h"

std::string defaultPortRecordPath()
{
    return {};
}

PortRecordLock::PortRecordLock(const std::string &) {}

PortRecordLock::~PortRecordLock() = default;

bool writePortRecord(const std::string &, const PortNumbers &)
{
    return false;
}
