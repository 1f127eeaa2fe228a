#pragma once
// Brings tapes in from a spreadsheet's text file or the program's own export. Into a
// catalogue without tapes, or when told to replace it, a new catalogue is built beside Data
// and takes its place as the Paradox import does (the previous Data kept). Into a catalogue
// that holds tapes, the tapes whose numbers are new are added in one transaction, so a crash
// adds all of them or none; a tape the catalogue holds is never changed.
#include "CatalogueImport.h"

#include <QList>
#include <QStringList>

namespace import {

/// Imports the tapes of file (a header row, then one tape per row). options.sourceFolder
/// and codePage are not used. Throws EImportError with the message for the user (a file that
/// is not text, no tape-number column, ...), core::EAbort when cancelled.
ImportReport importCsv(const QString& file, const ImportOptions& options, const ImportProgress& progress = {});

/// The Video field a column title names (field names in any case, the overview's column
/// titles installed by setOverviewTitles in any case); empty when none.
QString fieldOfColumn(const QString& title);

/// Installs the overview grid's column titles of every language (each list in the grid's
/// column order, as the language files give them), so that a column may carry one of them
/// instead of the field name. The window layer reads them from the language files.
void setOverviewTitles(const QList<QStringList>& titlesPerLanguage);

} // namespace import
