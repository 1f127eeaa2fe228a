// Every text the import shows has its translation in each language file's "Import" section.
#include "common/TempProgramFolder.h"

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
    static const QRegularExpression use(QStringLiteral("importText\\(\\s*\"([A-Za-z]+)\""));
    QSet<QString> keys;
    QDirIterator files(testing_support::sourceDir() + QStringLiteral("/src"), {QStringLiteral("*.cpp")}, QDir::Files,
                       QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString text = contents(files.next());
        for (const QRegularExpressionMatch& match : use.globalMatch(text))
            keys << match.captured(1);
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

} // namespace
