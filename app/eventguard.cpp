#include "app/eventguard.h"

#include "app/application.h"

namespace {
int depth = 0;
std::exception_ptr pending;
} // namespace

HandlerScope::HandlerScope()
{
    ++depth;
}

HandlerScope::~HandlerScope()
{
    --depth;
    if (depth == 0 && pending) {
        // Reported only at the outermost level, after every nested handler has unwound; the
        // error box runs its own event loop, so the state must be clean before it shows.
        std::exception_ptr error = std::exchange(pending, nullptr);
        reportError(error);
    }
}

void HandlerScope::fail(std::exception_ptr error)
{
    if (!pending)
        pending = std::move(error);
}

void rethrowPendingError()
{
    if (depth > 0 && pending)
        std::rethrow_exception(std::exchange(pending, nullptr));
}
