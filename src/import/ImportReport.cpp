#include "ImportReport.h"

#include "ImportTexts.h"

#include <QDir>

namespace import {

namespace {

void appendNotes(QStringList& lines, const QVector<RowNote>& notes, const QString& heading, bool byLine)
{
    if (notes.isEmpty())
        return;
    lines << QString() << heading.arg(notes.size());
    const QString row = byLine ? importText("ReportLine", QStringLiteral("  %1, linje %2: %3"))
                               : importText("ReportRow", QStringLiteral("  %1, post %2: %3"));
    for (const RowNote& note : notes)
        lines << row.arg(note.table).arg(note.record).arg(note.reason);
}

// Ten numbers to a line keep a long list readable.
void appendSkipped(QStringList& lines, const QStringList& skipped)
{
    if (skipped.isEmpty())
        return;
    lines << QString()
          << importText("ReportSkipped", QStringLiteral("Film der fandtes i forvejen og ikke er ændret: %1")).arg(skipped.size());
    for (qsizetype i = 0; i < skipped.size(); i += 10)
        lines << QStringLiteral("  ") + skipped.mid(i, 10).join(QStringLiteral(", "));
}

void appendTable(QStringList& lines, const TableReport& table)
{
    if (table.source.isEmpty())
        lines << importText("ReportMissing", QStringLiteral("%1: findes ikke i mappen; tom tabel")).arg(table.table);
    else
        lines << importCountText("ReportTable", table.read, QStringLiteral("%1: %2 poster læst, %3 gemt (fra %4)"),
                                 QStringLiteral("%1: %2 post læst, %3 gemt (fra %4)"))
                 .arg(table.table)
                 .arg(table.read)
                 .arg(table.stored)
                 .arg(QDir::toNativeSeparators(table.source));
    if (!table.ignoredFields.isEmpty())
        lines << importText("ReportIgnored", QStringLiteral("  Felter der ikke bruges: %1"))
                     .arg(table.ignoredFields.join(QStringLiteral(", ")));
    for (const QString& note : table.notes)
        lines << QStringLiteral("  ") + note;
}

} // namespace

TableReport& ImportReport::table(const QString& name)
{
    for (TableReport& entry : tables)
        if (entry.table == name)
            return entry;
    tables.push_back(TableReport{name, {}, 0, 0, {}, {}});
    return tables.back();
}

qint64 ImportReport::storedRows() const
{
    qint64 total = 0;
    for (const TableReport& entry : tables)
        total += entry.stored;
    return total;
}

QString ImportReport::text() const
{
    QStringList lines;
    lines << (dryRun ? importText("ReportTitleDryRun", QStringLiteral("Prøveindlæsning fra %1 (intet er skrevet)"))
                     : importText("ReportTitle", QStringLiteral("Indlæsning fra %1")))
                 .arg(QDir::toNativeSeparators(sourceFolder));
    lines << QString();
    for (const TableReport& entry : tables)
        appendTable(lines, entry);
    appendNotes(lines, refused, importText("ReportRefused", QStringLiteral("Poster der ikke er gemt: %1")), byLine);
    appendNotes(lines, blanked, importText("ReportBlanked", QStringLiteral("Værdier der ikke kunne læses og er gemt tomme: %1")),
                byLine);
    appendSkipped(lines, skipped);
    lines << QString();
    lines << importText("ReportLookups", QStringLiteral("Opslagsværdier tilføjet: %1")).arg(lookupValuesAdded);
    if (!byLine)
        lines << (dryRun ? importText("ReportPicturesDryRun", QStringLiteral("Billeder der ville blive kopieret: %1"))
                         : importText("ReportPictures", QStringLiteral("Billeder kopieret: %1")))
                     .arg(picturesCopied);
    for (const QString& problem : pictureProblems)
        lines << QStringLiteral("  ") + problem;
    if (!keptData.isEmpty())
        lines << importText("ReportKept", QStringLiteral("Den tidligere Data-mappe er gemt som %1"))
                     .arg(QDir::toNativeSeparators(keptData));
    if (!reportFile.isEmpty())
        lines << importText("ReportSaved", QStringLiteral("Denne rapport er gemt som %1"))
                     .arg(QDir::toNativeSeparators(reportFile));
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

} // namespace import
