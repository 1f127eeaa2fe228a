// Every text the import and the printed list's windows show has its translation in each
// language file's section.
#include "common/TempProgramFolder.h"
#include "import/ImportTexts.h"

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <gtest/gtest.h>

namespace {

QString contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// The keys the sources pass to a section's text function (wrapper: "import" for importText
// and importCountText).
QSet<QString> keysUsedInSources(const QString& wrapper)
{
    const QRegularExpression use(wrapper + QStringLiteral("(Count)?Text\\(\\s*\"([A-Za-z]+)\""));
    QSet<QString> keys;
    QDirIterator files(testing_support::sourceDir() + QStringLiteral("/src"), {QStringLiteral("*.cpp")}, QDir::Files,
                       QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString text = contents(files.next());
        for (const QRegularExpressionMatch& match : use.globalMatch(text)) {
            keys << match.captured(2);
            if (!match.captured(1).isEmpty())
                keys << match.captured(2) + QStringLiteral("One"); // a count of one has its own text
        }
    }
    return keys;
}

TEST(ImportTexts, EveryKeyTheCodeUsesIsTranslatedInEveryLanguage)
{
    const struct {
        const char* wrapper;
        const char* section;
        int least;
    } sections[] = {{"import", "Import", 40}, {"report", "Report", 15}};
    for (const auto& section : sections) {
        const QSet<QString> keys = keysUsedInSources(QLatin1String(section.wrapper));
        ASSERT_GE(keys.size(), section.least) << section.section;
        for (const char* language : {"English", "Norsk", "Svensk", "Deutsch"}) {
            const QString file = contents(testing_support::sourceDir()
                                          + QStringLiteral("/resources/languages/%1/%2.txt").arg(QLatin1String(language), QLatin1String(section.section)));
            ASSERT_FALSE(file.isEmpty()) << language << " " << section.section;
            for (const QString& key : keys)
                EXPECT_TRUE(file.contains(QStringLiteral("\n%1=\"").arg(key))) << language << " lacks " << key.toStdString();
        }
    }
}

TEST(ImportTexts, ACountOfOneTakesTheSingular)
{
    const QString german = contents(testing_support::sourceDir() + QStringLiteral("/resources/languages/Deutsch/Import.txt"));
    import::setTextLookup([german](const QString&, const QString& key, const QString& danish) {
        const QRegularExpressionMatch line = QRegularExpression(QStringLiteral("\\n%1=\"([^\"]*)\"").arg(key)).match(german);
        return line.hasMatch() ? line.captured(1) : danish;
    });
    for (const auto& [count, shown] : {std::pair(1, "1 Datensatz gelesen"), std::pair(2, "2 Datensätze gelesen")})
        EXPECT_TRUE(import::importCountText("ReportTable", count, QString(), QString()).arg(QStringLiteral("Video.db")).arg(count)
                        .contains(QString::fromUtf8(shown))) << count;
    import::setTextLookup({});
}

} // namespace
