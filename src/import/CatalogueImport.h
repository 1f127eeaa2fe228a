#pragma once
// Brings an old catalogue kept as Paradox tables into the program: the nine tables are read,
// converted and written into a new folder beside Data, which takes Data's place only when it
// is complete; the previous Data is kept under a dated name and never deleted. A cancelled,
// failed or killed import leaves the previous Data as it was.
#include "ImportReport.h"

#include <QString>
#include <functional>

namespace import {

struct ImportOptions {
    QString sourceFolder;   ///< the folder with the old tables (Video.db, ...)
    QString dataFolder;     ///< the program's Data folder
    QString picturesFolder; ///< the program's Billeder folder
    int codePage = 0;       ///< 437, 850, 865, 1252; 0 = what each table states
    bool replace = false;   ///< replace a catalogue that already holds tapes
    bool dryRun = false;    ///< read and convert everything, write nothing
};

/// Told the bytes read so far and the total; answering false cancels the import.
using ImportProgress = std::function<bool(qint64 done, qint64 total)>;

/// Imports the tables. When sourceFolder is the Data folder itself (the user copied the old
/// tables there), the original files move to Data-paradox-<date>-<time>. Throws EImportError
/// with the message for the user, core::EAbort when cancelled; the report says what was done.
ImportReport importParadox(const ImportOptions& options, const ImportProgress& progress = {});

/// True when the folder holds a Paradox table of the catalogue (Video.db, ... in any case)
/// instead of the program's own tables.
bool holdsParadoxTables(const QString& folder);

/// The language index the catalogue in a Data folder was last used in (its configuration's
/// Sprog, from the program's own table or an old Paradox one); -1 when none can be read.
int storedLanguage(const QString& dataFolder);

/// Tapes in the catalogue of a Data folder; 0 when it holds no Video table. Throws
/// EImportError when the table cannot be read.
qint64 tapesInCatalogue(const QString& dataFolder);

} // namespace import
