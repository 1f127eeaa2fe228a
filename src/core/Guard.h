#pragma once
// The one place where an exception of ours stops: every slot, event override, timer and
// lambda runs its body through guarded(), so no exception crosses a Qt frame.
#include <functional>
#include <QString>

namespace core {

/// Runs fn; an exception is caught and its message handed to the error reporter
/// (EAbort shows nothing). Returns true when fn finished without an exception.
bool guarded(const std::function<void()>& fn) noexcept;

/// Shows an error message through the application's error box (core's dialog interface).
void reportError(const QString& message) noexcept;

} // namespace core
