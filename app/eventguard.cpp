#include "app/eventguard.h"

#include <QTextStream>

namespace {
int depth = 0;
std::exception_ptr pending;
ErrorReport report;
} // namespace

void setErrorReport(ErrorReport newReport)
{
    report = std::move(newReport);
}

QString errorText(std::exception_ptr error)
{
    try {
        std::rethrow_exception(error);
    } catch (const std::exception &e) {
        return QString::fromUtf8(e.what());
    } catch (...) {
    }
    return {};
}

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
        const QString text = errorText(std::exchange(pending, nullptr));
        if (report)
            report(text);
        else
            QTextStream(stderr) << text << Qt::endl;
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
