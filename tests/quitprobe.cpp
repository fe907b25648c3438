// Starts the application as main() does, with the arguments after the first, then leaves it by
// File, Quit ("quit") or by closing the window ("close"), printing what ran and the address the
// window holds. Anything printed after "quitting" is a fault.
#include "app/application.h"
#include "app/commandline.h"
#include "app/edits.h"
#include "app/tform1.h"
#include "tests/controls.h"

#include <QAction>
#include <QTimer>
#include <cstdio>
#include <cstring>

int main(int argc, char **argv)
{
    const bool quit = argc > 1 && std::strcmp(argv[1], "quit") == 0;
    // Its own argument is not the application's.
    argv[1] = argv[0];
    CommandLine line;
    if (const std::optional<int> status = runCommandLine(argc - 1, argv + 1, line))
        return *status;
    const int status = runApplication(argc - 1, argv + 1, line.file, [quit](TForm1 &form) {
        std::printf("title %s\naddress %s\n", qPrintable(applicationTitle()),
                    qPrintable(Controls(&form).Edit1->text()));
        QTimer::singleShot(0, &form, [&form, quit] {
            if (quit) {
                std::printf("quitting\n");
                QTimer::singleShot(0, &form, [] { std::printf("a later event ran\n"); });
                Controls(&form).fileQuit->trigger();
                std::printf("the handler returned\n");
            } else {
                std::printf("closing\n");
                form.close();
            }
        });
    });
    std::printf("event loop ended\n");
    return status;
}
