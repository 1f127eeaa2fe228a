#include "Guard.h"
#include "Dialogs.h"
#include "Errors.h"

#include <QMetaObject>
#include <QObject>
#include <exception>

namespace core {

void reportError(const QString& message) noexcept
{
    try {
        dialogs().error(message);
    } catch (...) {
        // The error box itself failed: nothing sensible is left to show it with.
    }
}

bool guarded(const std::function<void()>& fn) noexcept
{
    try {
        fn();
        return true;
    } catch (const EAbort&) {
    } catch (const EError& e) {
        reportError(e.message());
    } catch (const std::bad_alloc&) {
        reportError(QStringLiteral("Out of memory"));
    } catch (const std::exception& e) {
        reportError(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        reportError(QStringLiteral("Unknown error"));
    }
    return false;
}

void reportLater(QObject* context, std::exception_ptr error) noexcept
{
    try {
        QMetaObject::invokeMethod(
            context, [error] { guarded([error] { std::rethrow_exception(error); }); }, Qt::QueuedConnection);
    } catch (...) {
        // Queuing failed (out of memory): the report is lost, the program goes on.
    }
}

} // namespace core
