#include "CoverPictures.h"

#include "core/Errors.h"
#include "core/ProgramPaths.h"
#include "data/DM.h"
#include "locale/Languages.h"
#include "support/JpegLoader.h"

#include <QFile>
#include <QSaveFile>
#include <algorithm>

namespace forms {

QString coverPath(CoverSide side, const QString& tapeNr)
{
    const QString prefix = side == CoverSide::Front ? QStringLiteral("Front") : QStringLiteral("Back");
    return core::programPaths().picturesDir() + prefix + tapeNr + QStringLiteral(".jpg");
}

QString placeholderPath(int languageIndex)
{
    const locale::Language* language = locale::findLanguage(languageIndex);
    const char* name = (language ? language : locale::findLanguage(locale::kDesignedLanguage))->placeholder;
    return core::programPaths().shippedFile(QStringLiteral("Billeder/") + QString::fromUtf8(name));
}

QString tapeNrProblem(const QString& tapeNr)
{
    if (tapeNr.isEmpty())
        return QStringLiteral("Båndet har intet båndnummer endnu, så billedet kan ikke gemmes. "
                              "Skriv et båndnummer og prøv igen.");
    if (!data::isTapeNrUsableInFileName(tapeNr))
        return QStringLiteral("Båndnummeret '%1' kan ikke bruges i et filnavn (det må ikke indeholde / eller \\, "
                              "\"..\" eller styretegn), så billedet kan ikke gemmes.")
            .arg(tapeNr);
    return QString();
}

QImage coverOrPlaceholder(CoverSide side, const QString& tapeNr, int languageIndex)
{
    if (tapeNrProblem(tapeNr).isEmpty())
        if (auto picture = support::loadJpegFile(coverPath(side, tapeNr)))
            return *picture;
    return support::loadJpegFileOrThrow(placeholderPath(languageIndex));
}

QString copyCover(const QString& chosenFile, CoverSide side, const QString& tapeNr)
{
    const QString problem = tapeNrProblem(tapeNr);
    if (!problem.isEmpty())
        throw core::EInOutError(problem);
    // A pipe or a device chosen in the dialog would block the copy or never end it.
    const std::optional<QByteArray> picture = support::readPictureFile(chosenFile);
    if (!picture)
        return QStringLiteral("not a readable picture");
    QSaveFile target(coverPath(side, tapeNr));
    if (!target.open(QIODevice::WriteOnly))
        return target.errorString();
    if (target.write(*picture) != picture->size() || !target.commit())
        return target.errorString();
    return QString();
}

} // namespace forms
