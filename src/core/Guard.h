#pragma once
// The one place where an exception of ours stops: every slot, event override, timer and
// lambda runs its body through guarded(), so no exception crosses a Qt frame.
#include <QString>
#include <exception>
#include <functional>

class QObject;

namespace core {

/// Runs fn; an exception is caught and its message handed to the error reporter
/// (EAbort shows nothing). Returns true when fn finished without an exception.
bool guarded(const std::function<void()>& fn) noexcept;

/// Reports an exception as guarded() would, but from the event loop once the current event is
/// done: for model methods, which may run inside a paint where a modal box must not open.
/// Nothing is shown when context is gone by then.
void reportLater(QObject* context, std::exception_ptr error) noexcept;

/// Shows an error message through the application's error box (core's dialog interface).
void reportError(const QString& message) noexcept;

} // namespace core
