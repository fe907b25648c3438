#pragma once

#include <QObject>
#include <QString>
#include <exception>
#include <functional>
#include <utility>

// Every event handler runs inside runHandler. An error that escapes a handler ends it and is shown
// in the application's error box; the event loop goes on with the next event.
//
// A handler may raise a nested change event by setting a control (a scroll bar's position, an edit
// box's text). An error in the nested handler must end the outer handler too, but it cannot be
// thrown through the toolkit's own frames, so it is parked here and rethrown by the control's
// setter once the toolkit has returned (rethrowPendingError).
class HandlerScope
{
  public:
    HandlerScope();
    ~HandlerScope();
    HandlerScope(const HandlerScope &) = delete;
    HandlerScope &operator=(const HandlerScope &) = delete;

    void fail(std::exception_ptr error);
};

template <typename Handler> void runHandler(Handler &&handler)
{
    HandlerScope scope;
    try {
        std::forward<Handler>(handler)();
    } catch (...) {
        scope.fail(std::current_exception());
    }
}

// Connects a control's signal to a window's handler: the handler is given the control that raised
// the event, and runs under the error report.
template <typename Window, typename Sender, typename Signal, typename... Args>
void bindEvent(Window *window, Sender *sender, Signal signal,
               void (Window::*handler)(QObject *, Args...))
{
    QObject::connect(sender, signal, window, [window, sender, handler](Args... args) {
        runHandler([&] { (window->*handler)(sender, args...); });
    });
}

// Called by the controls' setters right after a set that may have run a nested handler.
void rethrowPendingError();

// Where an error that escaped a handler is shown: the window sets it for its lifetime. Like the
// toolkit's event dispatch, which may raise a nested change event in any control, it is
// process-wide. Without one the error's text goes to standard error.
using ErrorReport = std::function<void(const QString &text)>;
void setErrorReport(ErrorReport report);

// The error's text: an exception's message, empty for anything else that was thrown.
QString errorText(std::exception_ptr error);
