// Starts the application as main() does, then leaves it by File, Quit ("quit") or by closing
// the window ("close"), printing what ran. Anything printed after "quitting" is a fault.
#include "app/application.h"
#include "app/tform1.h"

#include <QTimer>
#include <cstdio>
#include <cstring>

int main(int argc, char **argv)
{
    const bool quit = argc > 1 && std::strcmp(argv[1], "quit") == 0;
    // Its own argument is not the application's.
    const int status = runApplication(1, argv, [quit](TForm1 &form) {
        std::printf("title %s\n", qPrintable(applicationTitle()));
        QTimer::singleShot(0, &form, [&form, quit] {
            if (quit) {
                std::printf("quitting\n");
                QTimer::singleShot(0, &form, [] { std::printf("a later event ran\n"); });
                form.fileQuit->trigger();
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
