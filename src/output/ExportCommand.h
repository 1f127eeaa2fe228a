#pragma once
// The "Data eksport" command: file name box, export, notice; its texts are the export format's.
#include <QString>

namespace engine {
class Table;
}

namespace output {

class TQExport3ASCII;

/// Configures an export component as the main window uses it: the tape table, the
/// semicolon, every value quoted.
void configureTapeExport(TQExport3ASCII& exporter, engine::Table& videoTable, bool showFile);

/// Asks for the file name, exports, and tells where the data went. Cancelling the box
/// exports nothing.
void runExportCommand(TQExport3ASCII& exporter, int languageIndex);

/// The notice after an export.
QString exportNotice(const QString& fileName, int languageIndex);
/// The notice after this exporter's last run: the above, then how many characters the file
/// could not hold, in the exporter's Warning text.
QString exportNotice(const TQExport3ASCII& exporter, const QString& fileName, int languageIndex);

} // namespace output
