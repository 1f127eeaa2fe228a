#include "ExportCommand.h"

#include "Export3ASCII.h"
#include "core/Dialogs.h"

namespace output {

namespace {
bool englishTexts(int languageIndex)
{
    return languageIndex == 0 || languageIndex == 3;
}
} // namespace

void configureTapeExport(TQExport3ASCII& exporter, engine::Table& videoTable, bool showFile)
{
    exporter.DataSet = &videoTable;
    exporter.ShowFile = showFile;
    exporter.Type = ExportType::etCSV;
    exporter.CSVComma = QStringLiteral(";");
}

QString exportNotice(const TQExport3ASCII& exporter, const QString& fileName, int languageIndex)
{
    const QString notice = exportNotice(fileName, languageIndex);
    if (exporter.replacedCharacters() == 0)
        return notice;
    return notice + QStringLiteral("\n\r") + exporter.Warning().arg(exporter.replacedCharacters());
}

QString exportNotice(const QString& fileName, int languageIndex)
{
    if (englishTexts(languageIndex))
        return QStringLiteral("Data exported to ") + fileName + QStringLiteral("\n\r")
               + QStringLiteral("The file can be imported into an Excel worksheet.");
    return QStringLiteral("Data er exporteret til ") + fileName + QStringLiteral("\n\r")
           + QStringLiteral("Filen kan evt. importeres i et Excel regneark.");
}

void runExportCommand(TQExport3ASCII& exporter, int languageIndex)
{
    const bool english = englishTexts(languageIndex);
    const auto answer = core::dialogs().input(
        english ? QStringLiteral("Data export to comma separeted file") : QStringLiteral("Data export til semikolon separeret fil"),
        english ? QStringLiteral("Please write a filename e.g. Video.txt") : QStringLiteral("Skriv et filnavn f.eks. Video.txt"),
        QStringLiteral("Video.txt"));
    // Cancelling means no export: nothing is written or replaced.
    if (!answer)
        return;
    exporter.FileName = *answer;
    exporter.Execute();
    core::dialogs().information(exportNotice(exporter, *answer, languageIndex));
}

} // namespace output
