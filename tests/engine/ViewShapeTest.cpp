// A view's shape: settings resolved into order, filter conditions and link pairs, the query
// built from it with its bound values, and the columns the view depends on.
#include "EngineFixture.h"

#include "engine/Filter.h"
#include "engine/TableMeta.h"
#include "engine/ViewQuery.h"
#include "engine/ViewShape.h"

#include <map>
#include <ostream>

using namespace enginetest;

namespace {

const QString kVideo = QStringLiteral("Video.db");
const QString kCast = QStringLiteral("Medvirker.db");
const QString kConfig = QStringLiteral("Config.DB");
// The table as the query names it; the builder takes it as given.
const QString kQualified = QStringLiteral("T");

/// The catalogue's files, each read as a table opens it.
class Shapes : public EngineTest {
protected:
    void SetUp() override
    {
        EngineTest::SetUp();
        createCatalogueFile(dataDir(), kConfig);
    }
    const engine::TableMeta& meta(const QString& fileName)
    {
        engine::TableMeta& meta = metas_[fileName];
        if (meta.columns().empty()) {
            const QString schema = db().attach(fileName);
            meta.read(db(), schema, db().filePath(schema));
        }
        return meta;
    }
    engine::ViewShape shape(const QString& fileName, const engine::ViewSettings& settings)
    {
        return engine::ViewShape::resolve(meta(fileName), settings);
    }
    /// The query of the view with these settings, and its bound values.
    engine::ViewQuery::BoundSql select(const QString& fileName, const engine::ViewSettings& settings,
                                       const engine::ViewQuery::LinkValues& link)
    {
        engine::ViewQuery query;
        query.configure(QString(), kQualified, fileName, meta(fileName));
        query.setShape(shape(fileName, settings));
        return query.select(link);
    }

private:
    std::map<QString, engine::TableMeta> metas_;
};

engine::ViewSettings filtered(const QString& index, const QString& filter)
{
    engine::ViewSettings settings;
    settings.indexName = index;
    settings.filter = filter;
    settings.filtered = true;
    return settings;
}

engine::ViewSettings linked(const QString& indexFields, const QString& masterFields, const QString& filter = QString())
{
    engine::ViewSettings settings;
    settings.indexFieldNames = indexFields;
    settings.masterFields = masterFields;
    settings.hasMaster = true;
    settings.filter = filter;
    settings.filtered = !filter.isEmpty();
    return settings;
}

engine::ViewQuery::LinkValues tape(const char* tapeNr)
{
    return std::vector<engine::Equality>{{QStringLiteral("Tapenr"), QString::fromUtf8(tapeNr)}};
}

// ---- settings -> conditions -> query and bound values ----------------------------------

struct QueryCase {
    const char* name;
    QString fileName;
    engine::ViewSettings settings;
    engine::ViewQuery::LinkValues link;
    QString sql; ///< with the table named T; "" when the view selects nothing
    std::vector<QVariant> params;
};

void PrintTo(const QueryCase& c, std::ostream* out)
{
    *out << c.name;
}

class ShapeQueries : public Shapes, public ::testing::WithParamInterface<QueryCase> {};

TEST_P(ShapeQueries, BuildTheQueryAndBindEveryValue)
{
    const QueryCase& c = GetParam();
    const engine::ViewQuery::BoundSql query = select(c.fileName, c.settings, c.link);
    EXPECT_EQ(query.sql, c.sql);
    EXPECT_EQ(query.params, c.params);
    // No value reaches the query's text.
    for (const QVariant& value : query.params) {
        if (value.typeId() == QMetaType::QString && value.toString().size() > 1) {
            EXPECT_FALSE(query.sql.contains(value.toString())) << value.toString().toStdString();
        }
    }
}

std::vector<QueryCase> queryCases()
{
    const auto text = [](const char* value) { return QVariant(QString::fromUtf8(value)); };
    const engine::ViewQuery::LinkValues noLink = std::vector<engine::Equality>{};
    return {
        {"whole table in the primary order", kVideo, {}, noLink, R"(SELECT rowid FROM T ORDER BY "TapeNr", rowid)", {}},
        {"filter set but off", kVideo, [] { auto s = filtered(QString(), "Kategori = 'Drama'"); s.filtered = false; return s; }(),
         noLink, R"(SELECT rowid FROM T ORDER BY "TapeNr", rowid)", {}},
        {"filter in the primary order", kVideo, filtered(QString(), "Kategori = 'Drama'"), noLink,
         R"(SELECT rowid FROM T WHERE "Kategori" = ? ORDER BY "TapeNr", rowid)", {text("Drama")}},
        {"filter in its own text order also names the sort key", kVideo, filtered("IndexKategori", "Kategori = 'Drama'"),
         noLink,
         R"(SELECT rowid FROM T WHERE "Kategori_sortkey" = ? AND "Kategori" = ? ORDER BY "Kategori_sortkey", "Kategori", rowid)",
         {text("drama"), text("Drama")}},
        {"filter field in another case, doubled quote", kVideo, filtered("indextitel", "kategori = 'O''Brien'"), noLink,
         R"(SELECT rowid FROM T WHERE "Kategori" = ? ORDER BY "Titel_sortkey", "Titel", rowid)", {text("O'Brien")}},
        {"empty value selects records without one", kVideo, filtered(QString(), "Titel = ''"), noLink,
         R"(SELECT rowid FROM T WHERE ("Titel" IS NULL OR "Titel" = '') ORDER BY "TapeNr", rowid)", {}},
        {"quotes that would end a literal", kVideo, filtered(QString(), "Titel = 'x'' OR ''1''=''1'"), noLink,
         R"(SELECT rowid FROM T WHERE "Titel" = ? ORDER BY "TapeNr", rowid)", {text("x' OR '1'='1")}},
        {"the filter syntax and SQL's own marks", kVideo, filtered(QString(), "Titel = 'a = ''b''; \"c\" ?1 %_ --'"), noLink,
         R"(SELECT rowid FROM T WHERE "Titel" = ? ORDER BY "TapeNr", rowid)", {text("a = 'b'; \"c\" ?1 %_ --")}},
        {"date as stored", kVideo, filtered(QString(), "OptagetDato = '2001-02-03'"), noLink,
         R"(SELECT rowid FROM T WHERE "OptagetDato" = ? ORDER BY "TapeNr", rowid)", {text("2001-02-03")}},
        {"integer as stored", kConfig, filtered(QString(), "Sprog = ' 7'"), noLink,
         R"(SELECT rowid FROM T WHERE "Sprog" = ? ORDER BY rowid)", {QVariant(qint64(7))}},
        {"no integer: compared as typed", kConfig, filtered(QString(), "Sprog = 'x'"), noLink,
         R"(SELECT rowid FROM T WHERE "Sprog" = ? ORDER BY rowid)", {text("x")}},
        {"link in the order of its field", kCast, linked("Tapenr", "Tapenr"), tape("0001-00"),
         R"(SELECT rowid FROM T WHERE "Tapenr" = ? ORDER BY "Tapenr", rowid)", {text("0001-00")}},
        {"link named by the master's fields", kCast, linked(QString(), "TAPENR"), tape("0001-00"),
         R"(SELECT rowid FROM T WHERE "Tapenr" = ? ORDER BY rowid)", {text("0001-00")}},
        {"filter and link", kCast, linked("Tapenr", "Tapenr", "Skuespiller = 'Ian'"), tape("0002-00"),
         R"(SELECT rowid FROM T WHERE "Skuespiller" = ? AND "Tapenr" = ? ORDER BY "Tapenr", rowid)",
         {text("Ian"), text("0002-00")}},
        {"master without a current record", kCast, linked("Tapenr", "Tapenr"), std::nullopt, QString(), {}},
        {"master without a value", kCast, linked("Tapenr", "Tapenr"), tape(""), QString(), {}},
    };
}

INSTANTIATE_TEST_SUITE_P(Views, ShapeQueries, ::testing::ValuesIn(queryCases()));

TEST_F(Shapes, FilterTextBecomesItsFieldsColumnAndTheValueAsStored)
{
    struct Case {
        QString fileName;
        QString filter;
        QString column;
        QVariant value;
    };
    const Case cases[] = {
        {kVideo, QStringLiteral("kategori = 'O''Brien'"), QStringLiteral("Kategori"), QStringLiteral("O'Brien")},
        {kVideo, QStringLiteral("Titel = ''"), QStringLiteral("Titel"), QVariant()},
        {kConfig, QStringLiteral("sprog='12'"), QStringLiteral("Sprog"), QVariant(qint64(12))},
    };
    for (const Case& c : cases) {
        const engine::ViewShape resolved = shape(c.fileName, filtered(QString(), c.filter));
        ASSERT_EQ(resolved.filter.size(), 1u) << c.filter.toStdString();
        EXPECT_EQ(resolved.filter[0].column, c.column);
        EXPECT_EQ(resolved.filter[0].value, c.value) << c.filter.toStdString();
    }
}

TEST_F(Shapes, LinkPairsTakeTheDetailFieldsFromTheOrderOrElseTheMastersNames)
{
    const engine::ViewShape byOrder = shape(kCast, linked(QStringLiteral("tapenr"), QStringLiteral("TapeNr")));
    ASSERT_EQ(byOrder.link.size(), 1u);
    EXPECT_EQ(byOrder.link[0].column, QStringLiteral("Tapenr"));
    EXPECT_EQ(byOrder.link[0].masterField, QStringLiteral("TapeNr"));
    engine::ViewSettings noMaster = linked(QStringLiteral("Tapenr"), QStringLiteral("Tapenr"));
    noMaster.hasMaster = false;
    EXPECT_TRUE(shape(kCast, noMaster).link.empty());
}

TEST_F(Shapes, UnknownNamesAreRefusedWithTheTablesMessages)
{
    const std::pair<engine::ViewSettings, QString> cases[] = {
        {filtered(QString(), QStringLiteral("Nope = 'x'")), QStringLiteral("Field 'Nope' not found")},
        {linked(QStringLiteral("Nope"), QStringLiteral("Tapenr")), QStringLiteral("Field 'Nope' not found")},
        {linked(QString(), QStringLiteral("Nummer")), QStringLiteral("Field 'Nummer' not found")},
        {filtered(QString(), QStringLiteral("Skuespiller = Ian")),
         QStringLiteral("Invalid filter expression: Skuespiller = Ian")},
    };
    for (const auto& [settings, message] : cases)
        EXPECT_EQ(errorOf([&] { shape(kCast, settings); }), message);
}

// ---- the columns a view depends on ------------------------------------------------------

TEST_F(Shapes, DependsOnTheColumnsOfItsOrderFilterAndLinkOnly)
{
    struct Case {
        QString fileName;
        engine::ViewSettings settings;
        QStringList dependsOn;
        QStringList not_;
    };
    engine::ViewSettings byTitle;
    byTitle.indexName = QStringLiteral("IndexTitel");
    const Case cases[] = {
        {kVideo, {}, {"TapeNr", "tapenr"}, {"Titel", "Kategori", "Indhold"}},
        {kVideo, byTitle, {"Titel"}, {"TapeNr", "Kategori"}},
        {kVideo, filtered(QString(), "Kategori = 'Drama'"), {"TapeNr", "Kategori"}, {"Titel", "Type", "Kategori_sortkey"}},
        {kVideo, [] { auto s = filtered(QString(), "Kategori = 'Drama'"); s.filtered = false; return s; }(), {"TapeNr"},
         {"Kategori"}},
        {kCast, linked("Tapenr", "Tapenr"), {"Tapenr"}, {"Skuespiller", "Rolle", "Titel"}},
        {kCast, linked(QString(), "Tapenr", "Rolle = 'x'"), {"Tapenr", "Rolle"}, {"Skuespiller"}},
    };
    for (const Case& c : cases) {
        const engine::ViewShape resolved = shape(c.fileName, c.settings);
        for (const QString& column : c.dependsOn)
            EXPECT_TRUE(resolved.dependsOn(column)) << column.toStdString();
        for (const QString& column : c.not_)
            EXPECT_FALSE(resolved.dependsOn(column)) << column.toStdString();
    }
}

TEST_F(Shapes, AnOrderOnASortKeyAloneDependsOnItsColumn)
{
    engine::ViewShape byKey;
    byKey.order = {engine::OrderTerm::on(QStringLiteral("Titel_sortkey")), engine::OrderTerm::rowid()};
    EXPECT_TRUE(byKey.dependsOn(QStringLiteral("Titel")));
    EXPECT_FALSE(byKey.dependsOn(QStringLiteral("Tit")));
    EXPECT_FALSE(byKey.dependsOn(QStringLiteral("rowid")));
}

// ---- through a table: what the user sees --------------------------------------------------

TEST_F(Shapes, FilterValuesWithQuotesAndMarksSelectExactlyTheirRecord)
{
    const QStringList titles = {QStringLiteral("x' OR '1'='1"), QStringLiteral("a = 'b'"), QStringLiteral("say \"hi\""),
                                QStringLiteral("100%_?1;--"), QStringLiteral("Alien")};
    for (int i = 0; i < titles.size(); ++i)
        addTape(QStringLiteral("%1-00").arg(i + 1, 4, 10, QLatin1Char('0')), titles.at(i));
    engine::Table& video = open(kVideo);
    video.SetFiltered(true);
    for (const QString& title : titles) {
        video.SetFilter(engine::makeFilter(QStringLiteral("Titel"), title));
        EXPECT_EQ(walk(video, QStringLiteral("Titel")), QStringList{title});
        EXPECT_FALSE(video.viewSql().contains(title)) << video.viewSql().toStdString();
    }
}

} // namespace
