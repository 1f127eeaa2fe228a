// The export reads the view the overview left with one query; the file must hold the same bytes
// as a walk through the records gives, whatever the order, the filter and the values.
#include "common/TestCatalogue.h"
#include "engine/Table.h"
#include "output/Export3ASCII.h"
#include "output/ExportCommand.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace {

using testing_support::addTape;

struct ViewCase {
    const char* name;
    const char* indexName;
    const char* filter; ///< empty: not filtered
    bool quoted = true;
    const char* userFormat = nullptr; ///< "Field=Format"
    const char* nullString = nullptr;
};

class ExportView : public ::testing::TestWithParam<ViewCase> {
protected:
    static void SetUpTestSuite()
    {
        testing_support::openCatalogue(folder, dm);
        const QString nul = QStringLiteral("F\u00F8r") + QChar(0) + QStringLiteral("efter");
        addTape(*dm, QStringLiteral("0001-00"), QStringLiteral("Han sagde \"nej\"; farvel"),
                {{"Kategori", QStringLiteral("Krig")}, {"Start", QStringLiteral("01:30")}, {"Slut", QStringLiteral("03:05")},
                 {"OptagetDato", QStringLiteral("2003-04-05")}, {"Instruktor", QStringLiteral("Lars von Trier")},
                 {"Indhold", QStringLiteral("never exported; \"quoted\"")}});
        addTape(*dm, QStringLiteral("0002-00"), QStringLiteral("\u00C6ble\r\n\u00D8l og \u00E5"),
                {{"Kategori", QStringLiteral("Gyser/\u00C6rgrelse")}, {"Fabrikat", QStringLiteral("  blanks around\t ")},
                 {"Type", QStringLiteral("VHS")}, {"OptagetDato", QStringLiteral("1999-12-31")}});
        addTape(*dm, QStringLiteral("0003-00"), QStringLiteral("\"\""), {{"Udlaan", QStringLiteral("Ja")}});
        addTape(*dm, QStringLiteral("0004-00"), QStringLiteral("Dvo\u0159\u00E1k \U0001F3AC \u0141\u00F3d\u017A"),
                {{"Kategori", QStringLiteral("Krig")}, {"Kopi", QStringLiteral("Kopi")}, {"Type", QStringLiteral("DVD")}});
        addTape(*dm, QStringLiteral("0005-00"), nul, {{"Kategori", QStringLiteral("Krig's")}, {"Start", QStringLiteral("23:59")}});
        addTape(*dm, QStringLiteral("0010-00"), QStringLiteral("alfa"), {{"Kategori", QStringLiteral("komedie")}});
        addTape(*dm, QStringLiteral("0011-00"), QStringLiteral("Alfa"), {{"Kategori", QStringLiteral("Komedie")}});
        addTape(*dm, QStringLiteral("10000-00"), QStringLiteral("\u00E6rlig talt; \u00F8h"),
                {{"Kategori", QStringLiteral("Krig's")}, {"Laengde", QStringLiteral("180")}, {"Type", QStringLiteral("VHS")}});
        // A stored date no date reading understands, as another program may leave it.
        dm->VideoTable->Insert();
        dm->VideoTable->FieldByName(QStringLiteral("TapeNr")).SetAsString(QStringLiteral("0012-00"));
        dm->VideoTable->FieldByName(QStringLiteral("OptagetDato")).SetValue(QStringLiteral("not a date"));
        dm->VideoTable->Post();
    }
    static void TearDownTestSuite() { testing_support::closeCatalogue(folder, dm); }

    void configure(output::TQExport3ASCII& exporter, const QString& name) const
    {
        const ViewCase& view = GetParam();
        output::configureTapeExport(exporter, *dm->VideoTable, false);
        exporter.FileName = out.filePath(name);
        exporter.CSVQuoteStrings = view.quoted;
        if (view.userFormat)
            exporter.UserFormats = QStringList{QString::fromUtf8(view.userFormat)};
        if (view.nullString)
            exporter.Formats.NullString = QString::fromUtf8(view.nullString);
    }
    void showView() const
    {
        const ViewCase& view = GetParam();
        engine::Table& video = *dm->VideoTable;
        video.SetIndexName(QString::fromLatin1(view.indexName));
        video.SetFilter(QString::fromUtf8(view.filter));
        video.SetFiltered(*view.filter != '\0');
    }
    QByteArray contents(const QString& name) const
    {
        QFile file(out.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    QString currentTape() const { return dm->VideoTable->FieldByName(QStringLiteral("TapeNr")).AsString(); }

    static inline std::unique_ptr<testing_support::TempProgramFolder> folder;
    static inline std::unique_ptr<data::TDM> dm;
    QTemporaryDir out;
};

TEST_P(ExportView, WritesTheSameBytesAsAWalkThroughTheRecordsAndLeavesTheTableAsTheWalkDoes)
{
    showView();
    ASSERT_TRUE(out.isValid());
    engine::Table& video = *dm->VideoTable;

    // A record limit makes the export walk the records one by one; one above the count is no limit.
    output::TQExport3ASCII walked;
    configure(walked, QStringLiteral("walked.txt"));
    walked.ExportRecCount = video.RecordCount() + 1;
    video.Last();
    walked.Execute();
    const QString walkedEnd = currentTape();
    const bool walkedEof = video.Eof();

    output::TQExport3ASCII read;
    configure(read, QStringLiteral("read.txt"));
    video.First();
    read.Execute();

    EXPECT_EQ(contents(QStringLiteral("read.txt")), contents(QStringLiteral("walked.txt")));
    EXPECT_GT(contents(QStringLiteral("read.txt")).size(), 0);
    EXPECT_EQ(read.replacedCharacters(), walked.replacedCharacters());
    EXPECT_EQ(currentTape(), walkedEnd) << "the last record of the view is current after both";
    EXPECT_EQ(video.Eof(), walkedEof);
}

const ViewCase kViews[] = {
    {"PrimaryOrder", "", ""},
    {"TitleOrder", "IndexTitel", ""},
    {"CategoryOrder", "IndexKategori", ""},
    {"TypeOrder", "IndexType", ""},
    {"CategoryInTitleOrder", "IndexTitel", "Kategori = 'Krig'"},
    {"QuoteInTheFilterValue", "", "Kategori = 'Krig''s'"},
    {"CategoryFilterInCategoryOrder", "IndexKategori", "Kategori = 'Komedie'"},
    {"NoCategory", "IndexKategori", "Kategori = ''"},
    {"DateFilterAsTyped", "IndexTitel", "OptagetDato = '2003-04-05'"},
    {"UnreadableDateFilterSelectsNothing", "", "OptagetDato = 'no date'"},
    {"EmptySelection", "IndexTitel", "Titel = 'findes ikke'"},
    {"UnquotedWithAUserDateFormat", "IndexType", "", false, "OptagetDato=yyyy/MM/dd"},
    {"NullStringForMissingValues", "IndexTitel", "", true, nullptr, "<ingen>"},
};

INSTANTIATE_TEST_SUITE_P(Views, ExportView, ::testing::ValuesIn(kViews),
                         [](const ::testing::TestParamInfo<ViewCase>& info) { return std::string(info.param.name); });

} // namespace
