#pragma once
// Exceptions of the program. Each carries the message the user sees in the error box.
#include <QString>
#include <stdexcept>

namespace core {

/// Base of every error of the program; the message is shown as it stands.
class EError : public std::runtime_error {
public:
    explicit EError(const QString& message)
        : std::runtime_error(message.toStdString()), message_(message) {}
    const QString& message() const noexcept { return message_; }

private:
    QString message_;
};

#define SPK_DECLARE_ERROR(Name)                                   \
    class Name : public EError {                                  \
    public:                                                       \
        explicit Name(const QString& message) : EError(message) {} \
    };

SPK_DECLARE_ERROR(EDatabaseError)          // table engine
SPK_DECLARE_ERROR(EConvertError)           // invalid integer, invalid time
SPK_DECLARE_ERROR(EDBSearchError)          // text search
SPK_DECLARE_ERROR(EDBSearchPatternNotFound)
SPK_DECLARE_ERROR(EResizerException)
SPK_DECLARE_ERROR(EQLocalError)            // language source and localizer
SPK_DECLARE_ERROR(EInOutError)             // files
SPK_DECLARE_ERROR(EExportError)

#undef SPK_DECLARE_ERROR

/// A silent abort: ends a handler without any message.
class EAbort : public EError {
public:
    EAbort() : EError(QString()) {}
};

/// Message helpers for the standard conversion errors.
QString invalidIntegerMessage(const QString& text);
QString invalidTimeMessage(const QString& text);

/// Reads a decimal integer as the standard integer parser does (optional sign, digits,
/// surrounding blanks allowed); throws EConvertError with the standard message otherwise.
qint64 strToInt(const QString& text);

} // namespace core
