// The web catalogue's folder: what index.html holds, the covers, and the swap that leaves an
// earlier catalogue as it was.
#include "common/FolderSnapshot.h"
#include "common/TestCatalogue.h"
#include "common/TempProgramFolder.h"
#include "common/TinyDisk.h"
#include "core/Errors.h"
#include "engine/SortExpression.h"
#include "output/HtmlCatalogue.h"
#include "output/WebTexts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

using testing_support::bytesOf;
using testing_support::snapshot;

// The contents of the page's script element with this id.
QByteArray scriptText(const QByteArray& page, const QByteArray& id)
{
    const QByteArray open = "<script id=\"" + id + "\"";
    const qsizetype start = page.indexOf('>', page.indexOf(open)) + 1;
    return page.mid(start, page.indexOf("</script>", start) - start);
}

class HtmlCatalogue : public testing_support::CatalogueTest {
protected:
    int write(const QString& target, std::function<bool(qint64, qint64)> progress = {})
    {
        output::HtmlCatalogueOptions options;
        options.picturesDir = folder->file(QStringLiteral("Billeder"));
        options.progress = std::move(progress);
        return output::writeHtmlCatalogue(dm->database(), target, options);
    }
    QString target() const { return folder->file(QStringLiteral("web")); }
    QByteArray page() const { return bytesOf(target() + QStringLiteral("/index.html")); }
    QJsonArray tapes() const
    {
        return QJsonDocument::fromJson(scriptText(page(), "spk-data")).object().value(QStringLiteral("tapes")).toArray();
    }
    // The page's searched texts and roles: records of fields, as the page splits them.
    QList<QStringList> details() const
    {
        // The page's zlib stream, with the length hint qUncompress wants in front.
        const QByteArray packed = QByteArray::fromBase64(scriptText(page(), "spk-details"));
        const QString text = QString::fromUtf8(qUncompress(QByteArray("\x00\x10\x00\x00", 4) + packed));
        QList<QStringList> records;
        for (const QString& part : text.split(QChar(4)))
            for (const QString& one : part.split(QChar(2), Qt::SkipEmptyParts))
                records << one.split(QChar(1));
        return records;
    }
};

// Values that would run or break the page if they reached it as markup or script.
const char* const kHostile[] = {"<img src=x onerror=alert(1)>", "</script><script>alert(2)</script>",
                                "\"quoted\" & 'single' \\", "line\u2028separator <!-- -->"};

TEST_F(HtmlCatalogue, EveryTapeAndValueArrivesIntactAndNoValueAsMarkup)
{
    for (int i = 0; i < 4; ++i) {
        const QString value = QString::fromUtf8(kHostile[i]);
        addTape(QStringLiteral("000%1-00").arg(i + 1), value, {{"Instruktor", value}, {"Indhold", value}});
        addCast(value, value);
    }
    ASSERT_EQ(write(target()), 4);
    for (const char* hostile : kHostile) {
        for (const QByteArray& part : QByteArray(hostile).split(' ')) {
            if (part.contains('<') || part.contains('>') || part.contains('\'')) {
                EXPECT_FALSE(page().contains(part)) << part.constData();
            }
        }
    }
    for (int i = 0; i < 4; ++i) {
        const QString value = QString::fromUtf8(kHostile[i]);
        EXPECT_EQ(tapes().at(i).toArray().at(0).toString(), QStringLiteral("000%1-00").arg(i + 1));
        EXPECT_EQ(tapes().at(i).toArray().at(1).toString(), value);
        EXPECT_EQ(details().at(i), (QStringList{value, value, value, value})) << "title, director, description, actor";
        EXPECT_EQ(details().at(4 + i), QStringList{value}) << "role";
    }
}

TEST_F(HtmlCatalogue, ThePageSortsDanishLettersAsTheOverviewDoes)
{
    addTape(QStringLiteral("0001-00"), QStringLiteral("x"));
    write(target());
    const QJsonObject fold = QJsonDocument::fromJson(scriptText(page(), "spk-data")).object().value(QStringLiteral("fold")).toObject();
    for (const char* letter : {"Å", "å", "Æ", "ø", "Ö", "é", "Z"})
        EXPECT_EQ(fold.value(QString::fromUtf8(letter)).toString(), engine::danishFold(QString::fromUtf8(letter))) << letter;
    EXPECT_LT(fold.value(QStringLiteral("Z")).toString(), fold.value(QStringLiteral("Æ")).toString());
    EXPECT_LT(fold.value(QStringLiteral("Æ")).toString(), fold.value(QStringLiteral("Ø")).toString());
    EXPECT_LT(fold.value(QStringLiteral("Ø")).toString(), fold.value(QStringLiteral("Å")).toString());
}

TEST_F(HtmlCatalogue, CoversBecomeThumbnailsOnlyWhenThePictureIsReadable)
{
    addTape(QStringLiteral("0001-00"), QStringLiteral("Med forside"));
    addTape(QStringLiteral("0002-00"), QStringLiteral("Uden billeder"));
    QDir().mkpath(folder->file(QStringLiteral("Billeder")));
    QImage(400, 900, QImage::Format_RGB32).save(folder->file(QStringLiteral("Billeder/Front0001-00.jpg")), "JPEG");
    QFile fake(folder->file(QStringLiteral("Billeder/Back0001-00.jpg")));
    ASSERT_TRUE(fake.open(QIODevice::WriteOnly) && fake.write("no picture") > 0);
    fake.close();
    write(target());
    EXPECT_EQ(QImage(target() + QStringLiteral("/billeder/Front0001-00.jpg")).size(), QSize(133, 300));
    EXPECT_EQ(QDir(target() + QStringLiteral("/billeder")).entryList(QDir::Files), QStringList{QStringLiteral("Front0001-00.jpg")});
    EXPECT_EQ(tapes().at(0).toArray().at(8).toInt(), 1);
    EXPECT_EQ(tapes().at(1).toArray().at(8).toInt(), 0);
}

TEST_F(HtmlCatalogue, ASecondWriteReplacesTheEarlierCatalogueButACancelLeavesIt)
{
    addTape(QStringLiteral("0001-00"), QStringLiteral("Første"));
    write(target());
    addTape(QStringLiteral("0002-00"), QStringLiteral("Anden"));
    const auto before = snapshot(target());
    EXPECT_THROW(write(target(), [](qint64, qint64) { return false; }), core::EAbort);
    EXPECT_EQ(snapshot(target()), before);
    write(target());
    EXPECT_EQ(tapes().size(), 2);
    EXPECT_TRUE(QFileInfo(target()).permissions() & QFile::ReadOther) << "others may read it, as the umask allows";
    EXPECT_EQ(QDir(folder->path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).filter(QStringLiteral("web")),
              QStringList{QStringLiteral("web")}) << "no building folder is left behind";
}

TEST_F(HtmlCatalogue, AFolderHoldingOtherFilesIsRefusedAndLeftAlone)
{
    addTape(QStringLiteral("0001-00"), QStringLiteral("Første"));
    QDir().mkpath(target());
    QFile other(target() + QStringLiteral("/letter.txt"));
    ASSERT_TRUE(other.open(QIODevice::WriteOnly) && other.write("mine") > 0);
    other.close();
    const auto before = snapshot(target());
    EXPECT_THROW(write(target()), core::EExportError);
    EXPECT_EQ(snapshot(target()), before);
}

TEST_F(HtmlCatalogue, AFullDiskLeavesTheEarlierCatalogueAsItWas)
{
    testing_support::TinyDisk disk(512);
    if (!disk.mounted())
        GTEST_SKIP() << "no small disk can be mounted here";
    addTape(QStringLiteral("0001-00"), QStringLiteral("Første"));
    const QString onDisk = disk.file(QStringLiteral("web"));
    write(onDisk);
    addTape(QStringLiteral("0002-00"), QStringLiteral("Anden"));
    const auto before = snapshot(onDisk);
    disk.fill();
    EXPECT_THROW(write(onDisk), core::EExportError);
    disk.release();
    EXPECT_EQ(snapshot(onDisk), before);
}

// Each text the page and the writer ask for is in every language file's Web section.
TEST(WebTexts, EveryTextIsInEveryLanguage)
{
    QStringList keys;
    for (const auto& [key, danish] : output::webPageTexts())
        keys << QString::fromLatin1(key);
    const QRegularExpression call(QStringLiteral("\\b(?:text|fail\\(o,)\\s*\\(?\\s*\"(\\w+)\""));
    for (const char* source : {"src/output/HtmlCatalogue.cpp", "src/app/HtmlCommand.cpp"})
        for (auto it = call.globalMatch(QString::fromUtf8(bytesOf(testing_support::sourceDir() + QLatin1Char('/') + QLatin1String(source))));
             it.hasNext();)
            keys << it.next().captured(1);
    ASSERT_GT(keys.size(), 30);
    for (const char* language : {"English", "Norsk", "Svensk", "Deutsch"}) {
        const QString file = QString::fromLatin1(bytesOf(testing_support::builtProgramDir() + QLatin1Char('/') + QLatin1String(language) + QStringLiteral(".lng")));
        const qsizetype start = file.indexOf(QStringLiteral("[Web]"));
        const QString body = file.mid(start, file.indexOf(QLatin1String("\n["), start + 1) - start);
        for (const QString& key : keys)
            EXPECT_TRUE(start >= 0 && body.contains(QLatin1Char('\n') + key + QLatin1Char('='))) << language << " " << key.toStdString();
    }
}

} // namespace
