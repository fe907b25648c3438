// The command line without a window, as main() runs it, but on the devices of a tree that a test
// laid out (CLIPROBE_SYS_CLASS_TTY, CLIPROBE_DEV) rather than on the machine's own.
#include "app/commandline.h"

#include <cstdlib>

int main(int argc, char **argv)
{
    const std::string sys = std::getenv("CLIPROBE_SYS_CLASS_TTY");
    const std::string dev = std::getenv("CLIPROBE_DEV");
    CommandLine line;
    return runCommandLine(argc, argv, line, [=] { return listSerialDevices(sys, dev); })
        .value_or(exitUsage);
}
