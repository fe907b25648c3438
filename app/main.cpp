#include "app/application.h"
#include "app/commandline.h"
#include "app/translations.h"

int main(int argc, char **argv)
{
    useUserLanguage();
    // The command line first, without a display: only the window needs one.
    CommandLine line;
    if (const std::optional<int> status = runCommandLine(argc, argv, line))
        return *status;
    return runApplication(argc, argv, line.file);
}
