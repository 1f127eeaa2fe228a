#pragma once
// A table folder with the nine empty tables and the one configuration record, as the data
// tool makes it for a new program folder and the import makes it for the tables it builds.
#include <QString>

namespace data {

/// True when the folder holds one of the catalogue's table files or any *.db file.
bool holdsTables(const QString& folder);

/// Creates the folder when missing and the nine tables in it. Throws EDatabaseError naming
/// the file; a failure takes back every file this call made.
void createCatalogue(const QString& folder);

} // namespace data
