#include "app/desktop.h"

#include "app/systemdesktop.h"

namespace {
Desktop *current = nullptr;
} // namespace

Desktop &desktop()
{
    if (current)
        return *current;
    static SystemDesktop system;
    return system;
}

void setDesktop(Desktop *replacement)
{
    current = replacement;
}
