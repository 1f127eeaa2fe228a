#pragma once
// The one place where an exception of ours stops: every slot, event override, timer and
// lambda runs its body through guarded(), so no exception crosses a Qt frame.
#include <QObject>
#include <QString>
#include <exception>
#include <functional>

namespace core {

/// Runs fn; an exception is caught and its message handed to the error reporter
/// (EAbort shows nothing). Returns true when fn finished without an exception.
bool guarded(const std::function<void()>& fn) noexcept;

/// Reports an exception as guarded() would, but from the event loop once the current event is
/// done: for model methods, which may run inside a paint where a modal box must not open.
/// Nothing is shown when context is gone by then.
void reportLater(QObject* context, std::exception_ptr error) noexcept;

/// Connects a signal to a member function of receiver that runs through guarded(). The
/// handler takes the first of the signal's arguments it names, as a Qt slot would.
template <typename Sender, typename Signal, typename Receiver, typename... Args>
QMetaObject::Connection connectGuarded(Sender* sender, Signal signal, Receiver* receiver, void (Receiver::*handler)(Args...))
{
    return QObject::connect(sender, signal, receiver, [receiver, handler](Args... args) {
        guarded([&] { (receiver->*handler)(args...); });
    });
}

/// Shows an error message through the application's error box (core's dialog interface).
void reportError(const QString& message) noexcept;

} // namespace core
