#include "LabelCommand.h"

#include "Export3Text.h"
#include "LabelReport.h"
#include "core/Errors.h"
#include "core/SectionTexts.h"

#include <QFileInfo>

namespace output {

namespace {

bool readOption(const QString& option, const QString& value, LabelJob& job, QString* problem)
{
    if (option == QLatin1String("--from") || option == QLatin1String("--to")) {
        if (!TapeRange::isBound(value)) {
            *problem = QStringLiteral("%1 needs a tape number, not \"%2\"").arg(option, value);
            return false;
        }
        (option == QLatin1String("--from") ? job.range.from : job.range.to) = value;
        return true;
    }
    if (option == QLatin1String("--sheet")) {
        if (!labelSheetNamed(value)) {
            *problem = QStringLiteral("unknown sheet \"%1\" (sheets: %2)").arg(value, labelSheetNames());
            return false;
        }
        job.sheet = value;
        return true;
    }
    if (option == QLatin1String("--first")) {
        bool number = false;
        job.firstPosition = value.toInt(&number);
        if (!number || job.firstPosition < 1) {
            *problem = QStringLiteral("--first needs a label position from 1, not \"%1\"").arg(value);
            return false;
        }
        return true;
    }
    *problem = QStringLiteral("unknown option \"%1\" for --labels").arg(option);
    return false;
}

} // namespace

std::optional<LabelJob> parseLabelArguments(const QStringList& arguments, QString* problem)
{
    if (arguments.isEmpty() || arguments.first().startsWith(QLatin1String("--"))) {
        *problem = QStringLiteral("--labels needs a file name");
        return std::nullopt;
    }
    LabelJob job;
    job.file = arguments.first();
    for (int i = 1; i < arguments.size(); i += 2) {
        if (i + 1 >= arguments.size()) {
            *problem = QStringLiteral("%1 needs a value").arg(arguments.at(i));
            return std::nullopt;
        }
        if (!readOption(arguments.at(i), arguments.at(i + 1), job, problem))
            return std::nullopt;
    }
    const LabelSheet& sheet = *labelSheetNamed(job.sheet);
    if (job.firstPosition > sheet.perSheet()) {
        *problem = QStringLiteral("--first: the sheet %1 holds %2 labels").arg(job.sheet).arg(sheet.perSheet());
        return std::nullopt;
    }
    return job;
}

void writeLabels(engine::Table& videoTable, const QString& file, const LabelJob& job)
{
    const QString refusal = tableFolderRefusal(QFileInfo(file), videoTable);
    if (!refusal.isEmpty())
        throw core::EInOutError(core::sectionText("Catalogue", "CannotCreate", QStringLiteral("Filen \"%1\" kan ikke oprettes. %2"))
                                    .arg(file, refusal));
    TLabelReport labels(videoTable, *labelSheetNamed(job.sheet), job.firstPosition);
    labels.setRange(job.range);
    if (labels.writePdf(file) == 0)
        throw core::EInOutError(core::sectionText("Catalogue", "NoLabels", QStringLiteral("Der er ingen bånd at skrive etiketter til; "
                                                                                          "\"%1\" er ikke skrevet"))
                                    .arg(file));
}

} // namespace output
