#include "QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QStringList>
#include <QTranslator>
#include <memory>
#include <vector>

namespace support {

namespace {
std::vector<std::unique_ptr<QTranslator>>& installed()
{
    static std::vector<std::unique_ptr<QTranslator>> translators;
    return translators;
}
} // namespace

QStringList qtLanguageCodes(int languageIndex)
{
    switch (languageIndex) {
    case -1: return {QStringLiteral("da")};
    case 1: return {QStringLiteral("nb"), QStringLiteral("no"), QStringLiteral("nn")};
    case 2: return {QStringLiteral("sv")};
    case 3: return {QStringLiteral("de")};
    default: return {};
    }
}

bool useQtTranslations(int languageIndex)
{
    for (const auto& translator : installed())
        QCoreApplication::removeTranslator(translator.get());
    installed().clear();
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    // qtbase holds the dialogs' texts; "qt" is the catalogue that names every module.
    for (const QString& code : qtLanguageCodes(languageIndex)) {
        for (const char* catalogue : {"qtbase_", "qt_"}) {
            auto translator = std::make_unique<QTranslator>();
            if (translator->load(QLatin1String(catalogue) + code, folder) && QCoreApplication::installTranslator(translator.get()))
                installed().push_back(std::move(translator));
        }
        if (!installed().empty())
            return true;
    }
    return false;
}

void useLanguageFormsWhereLocaleHasNone(int languageIndex)
{
    static bool chosenHere = false;
    const QLocale system = QLocale::system();
    if (system.language() != QLocale::C || (!chosenHere && QLocale() != system))
        return;
    chosenHere = true;
    const QStringList codes = qtLanguageCodes(languageIndex);
    // English has no Qt translation; its form here is the British one (day before month).
    QLocale::setDefault(codes.isEmpty() ? QLocale(QLocale::English, QLocale::UnitedKingdom) : QLocale(codes.first()));
}

} // namespace support
