// Every text the import shows has its translation in each language file's "Import" section.
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

QSet<QString> keysUsedInSources()
{
    static const QRegularExpression use(QStringLiteral("import(Count)?Text\\(\\s*\"([A-Za-z]+)\""));
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
    const QSet<QString> keys = keysUsedInSources();
    ASSERT_GT(keys.size(), 40);
    for (const char* language : {"English", "Norsk", "Svensk", "Deutsch"}) {
        const QString file = contents(testing_support::sourceDir() + QStringLiteral("/resources/languages/%1/Import.txt").arg(QLatin1String(language)));
        ASSERT_FALSE(file.isEmpty()) << language;
        for (const QString& key : keys)
            EXPECT_TRUE(file.contains(QStringLiteral("\n%1=\"").arg(key))) << language << " lacks " << key.toStdString();
    }
}

TEST(ImportTexts, ACountOfOneTakesTheSingular)
{
    struct Case {
        const char* language; // nullptr: Danish, from the code
        const char* one;
        const char* two;
    };
    const Case cases[] = {{nullptr, "1 post læst", "2 poster læst"}, {"English", "1 record read", "2 records read"},
                          {"Deutsch", "1 Datensatz gelesen", "2 Datensätze gelesen"}};
    for (const Case& c : cases) {
        const QString file = c.language ? contents(testing_support::sourceDir()
                                                   + QStringLiteral("/resources/languages/%1/Import.txt").arg(QLatin1String(c.language)))
                                        : QString();
        import::setTextLookup([file](const QString&, const QString& key, const QString& danish) {
            const QRegularExpressionMatch line = QRegularExpression(QStringLiteral("\n%1=\"([^\"]*)\"").arg(key)).match(file);
            return line.hasMatch() ? line.captured(1) : danish;
        });
        for (const int count : {1, 2}) {
            const QString text = import::importCountText("ReportTable", count, QStringLiteral("%1: %2 poster læst, %3 gemt (fra %4)"),
                                                         QStringLiteral("%1: %2 post læst, %3 gemt (fra %4)"))
                                     .arg(QStringLiteral("Video.db")).arg(count).arg(count).arg(QStringLiteral("/x"));
            EXPECT_TRUE(text.contains(QString::fromUtf8(count == 1 ? c.one : c.two))) << text.toStdString();
        }
    }
    import::setTextLookup({});
}

} // namespace
