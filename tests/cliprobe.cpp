// The command line without a window, as main() runs it, but on the devices of a tree that a test
// laid out (CLIPROBE_SYS_CLASS_TTY, CLIPROBE_DEV) and the processes and lock files of a table of
// its own (CLIPROBE_PROC, CLIPROBE_LOCKS) rather than on the machine's own.
#include "app/commandline.h"
#include "app/translations.h"

#include <cstdlib>

namespace {
std::string setting(const char *name, const std::string &otherwise)
{
    const char *value = std::getenv(name);
    return value ? value : otherwise;
}
} // namespace

int main(int argc, char **argv)
{
    const HolderRoots system = systemHolderRoots();
    const std::string sys = setting("CLIPROBE_SYS_CLASS_TTY", "/sys/class/tty");
    const std::string dev = setting("CLIPROBE_DEV", "/dev");
    useUserLanguage();
    CommandLine line;
    return runCommandLine(argc, argv, line, [=] { return listSerialDevices(sys, dev); },
                          {setting("CLIPROBE_PROC", system.processes),
                           setting("CLIPROBE_LOCKS", system.locks)})
        .value_or(exitUsage);
}
