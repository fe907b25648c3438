#include "app/application.h"
#include "app/commandline.h"

int main(int argc, char **argv)
{
    if (runsWithoutWindow(argc, argv))
        return runWithoutWindow(argc, argv);
    return runApplication(argc, argv);
}
