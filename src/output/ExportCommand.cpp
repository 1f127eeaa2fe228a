#include "ExportCommand.h"

#include "Export3ASCII.h"
#include "OutputFormats.h"
#include "core/Dialogs.h"

namespace output {

namespace {
const OutputFormat& exportFormat()
{
    static const OutputFormat& format = outputFormat("--export");
    return format;
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
    return formatNotice(exportFormat(), fileName, languageIndex);
}

void runExportCommand(TQExport3ASCII& exporter, int languageIndex)
{
    const OutputFormat& format = exportFormat();
    const FormatTexts& texts = (*format.texts)[languageIndex];
    const auto answer = core::dialogs().input(QString::fromUtf8(texts.promptCaption), QString::fromUtf8(texts.prompt),
                                              QString::fromUtf8(format.defaultTarget));
    // Cancelling means no export: nothing is written or replaced.
    if (!answer)
        return;
    exporter.FileName = *answer;
    exporter.Execute();
    core::dialogs().information(exportNotice(exporter, *answer, languageIndex));
}

} // namespace output
