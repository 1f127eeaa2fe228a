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
/// The value a filter on the field compares stored values with: what the field would store
/// for the filter's text, or the text itself when the field cannot read it (no stored value
/// equals that).
QVariant filterValue(const Field& field, const QString& text);

} // namespace engine
