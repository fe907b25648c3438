#include "link/porterror.h"

std::string describe(PortError error, const std::optional<PortHolder> &holder)
{
    switch (error) {
    case PortError::None:
        return {};
    case PortError::NoDevice:
        return "no device";
    case PortError::PermissionDenied:
        return "permission denied: add your user to the dialout group";
    case PortError::InUse:
        if (holder)
            return "in use by " + holder->name + " (pid " + std::to_string(holder->pid) + ")";
        return "in use by another program";
    case PortError::Other:
        break;
    }
    return "cannot be opened";
}
