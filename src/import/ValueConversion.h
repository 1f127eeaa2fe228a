#pragma once
// Turns a value read from an old table into the kind the catalogue stores in that field:
// clock times as "01:30", durations as the long time text, dates as ISO text, integers,
// memo text with the line ends the description control writes.
#include "data/FieldTable.h"

#include <QString>
#include <QVariant>
#include <QVector>

namespace import {

/// How a field's old value is read: the kind its row in the field table gives.
using FieldKind = data::FieldKind;

struct CatalogueField {
    QString name;
    FieldKind kind;
};

struct CatalogueTable {
    QString fileName;   ///< "Video.db"
    QString table;      ///< "Video"
    QVector<CatalogueField> fields;
};

/// The nine tables in the data module's order, with the kind of every field of the
/// program's schema version (from the field tables).
const QVector<CatalogueTable>& catalogueTables();

/// The converted value (a null QVariant for blank), or throws EImportError with the reason
/// the user reads in the report.
QVariant convertValue(const QVariant& value, const CatalogueField& field);

/// A clock-time text as stored: "hh:mm", with ":ss" only when the seconds are not zero.
QString clockText(int msecsSinceMidnight);

/// Reads a date text: ISO (2001-10-12), the system's short form, or day-month-year with
/// '-', '.' or '/'; an invalid QDate when none fits.
QDate parseDateText(const QString& text);

} // namespace import
