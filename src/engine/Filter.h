#pragma once
#include <QString>
#include <QVariant>

namespace engine {

/// A parsed filter expression "Field = 'value'".
struct FilterExpression {
    QString field;
    QString value;
};

/// Parses "Field = 'value'" (blanks around "=" allowed, a doubled quote inside the value is
/// one quote). Throws EDatabaseError for anything else, naming the expression.
FilterExpression parseFilter(const QString& expression);

/// Builds the expression for a field and a value, doubling quotes in the value.
QString makeFilter(const QString& field, const QString& value);

class Field;

} // namespace engine
