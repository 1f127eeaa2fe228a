#include "OutputFormats.h"

#include "Export3ASCII.h"
#include "Export3Text.h"
#include "ExportCommand.h"
#include "QRListForm.h"
#include "core/Errors.h"
#include "core/SectionTexts.h"
#include "data/DM.h"

#include <QFileInfo>
#include <cstring>

namespace output {

namespace {

QString cannotCreate(const QString& file, const QString& reason)
{
    return core::sectionText("Catalogue", "CannotCreate", QStringLiteral("Filen \"%1\" kan ikke oprettes. %2")).arg(file, reason);
}

void exportTapes(data::TDM& dm, const QString& file)
{
    // The window's export makes a missing folder; a mistyped path on a command line should not.
    const QString folder = QFileInfo(file).absolutePath();
    if (!QFileInfo(folder).isDir())
        throw core::EExportError(core::sectionText("Catalogue", "NoFolder", QStringLiteral("Mappen \"%1\" findes ikke")).arg(folder));
    TQExport3ASCII exporter;
    configureTapeExport(exporter, *dm.VideoTable, false);
    exporter.FileName = file;
    exporter.Execute();
}

// An empty table gives the list's headings on one page: a file asked for by name is written.
void reportPdf(data::TDM& dm, const QString& file)
{
    const QString refusal = tableFolderRefusal(QFileInfo(file), *dm.VideoTable);
    if (!refusal.isEmpty())
        throw core::EInOutError(cannotCreate(file, refusal));
    TQRListForm report(*dm.VideoTable);
    if (report.writePdf(file) <= 0)
        throw core::EInOutError(cannotCreate(file, core::sectionText("Catalogue", "NoPage", QStringLiteral("Der blev ikke lavet nogen side."))));
}

void exportFromMenu(const OutputFormat&, const MenuRun& run)
{
    runExportCommand(run.exporter, run.languageIndex);
}

// The program's own texts; English serves German too.
constexpr FormatTexts kExportDanish = {"Data export til semikolon separeret fil", "Skriv et filnavn f.eks. Video.txt",
                                       "Data er exporteret til ", "Filen kan evt. importeres i et Excel regneark."};
constexpr FormatTexts kExportEnglish = {"Data export to comma separeted file", "Please write a filename e.g. Video.txt",
                                        "Data exported to ", "The file can be imported into an Excel worksheet."};
const locale::PerLanguage<FormatTexts> kExportTexts = {kExportDanish, kExportEnglish, kExportDanish, kExportDanish,
                                                       kExportEnglish};

} // namespace

const std::vector<OutputFormat>& outputFormats()
{
    static const std::vector<OutputFormat> formats = {
        {"--export", "FILE", "file name", "write the tapes to FILE as semicolon-separated text", exportTapes,
         "Eksport1", "Data eksport", "Video.txt", &kExportTexts, exportFromMenu},
        {"--report-pdf", "FILE", "file name", "write the list of tapes to FILE as PDF", reportPdf, nullptr, nullptr,
         nullptr, nullptr, nullptr},
    };
    return formats;
}

const OutputFormat& outputFormat(const char* option)
{
    for (const OutputFormat& format : outputFormats())
        if (std::strcmp(format.option, option) == 0)
            return format;
    throw core::EError(QStringLiteral("No output format %1").arg(QLatin1String(option)));
}

QString formatNotice(const OutputFormat& format, const QString& target, int languageIndex)
{
    const FormatTexts& texts = (*format.texts)[languageIndex];
    return QString::fromUtf8(texts.notice) + target + QStringLiteral("\n\r") + QString::fromUtf8(texts.noticeEnd);
}

} // namespace output
