#pragma once
// What an import did, table by table: shown to the user and saved beside the new Data.
#include <QString>
#include <QStringList>
#include <QVector>

namespace import {

struct TableReport {
    QString table;              ///< the catalogue's file name, "Video.db"
    QString source;             ///< the file read; empty when the folder lacks the table
    qint64 read = 0;
    qint64 stored = 0;
    QStringList ignoredFields;  ///< fields of the old table the catalogue does not know
    QStringList notes;          ///< e.g. a record count that differs from the header's
};

/// A record that was not stored, or a value stored blank, with the reason.
struct RowNote {
    QString table;
    qint64 record = 0;          ///< 1-based, in the old table's order (a text file: its line)
    QString reason;
};

struct ImportReport {
    QString sourceFolder;
    bool dryRun = false;
    QVector<TableReport> tables;
    QVector<RowNote> refused;
    QVector<RowNote> blanked;
    bool byLine = false;        ///< rows are named by their line in a text file (which brings no pictures)
    QStringList skipped;        ///< tape numbers the catalogue held already, left as they were
    qint64 lookupValuesAdded = 0;
    int picturesCopied = 0;
    QStringList pictureProblems;
    QString keptData;           ///< where the previous Data was kept; empty when none
    QString reportFile;         ///< where this report was saved; empty for a dry run

    TableReport& table(const QString& name);
    qint64 storedRows() const;
    /// The report as the user reads it, in the active language.
    QString text() const;
};

} // namespace import
