#include "Schema.h"

#include "Fields.h"
#include "engine/SortExpression.h"

namespace data {

namespace {
QString sortIndex(const QString& name, const QString& table, const QString& column, bool unique)
{
    return QStringLiteral("CREATE %1INDEX \"%2\" ON \"%3\"(\"%4\", \"%5\")")
        .arg(unique ? QStringLiteral("UNIQUE ") : QString(), name, table, engine::danishSortKey(column), column);
}

QString sortColumns(const QStringList& columns)
{
    QStringList definitions;
    for (const QString& column : columns)
        definitions << engine::danishSortColumns(column);
    return QStringLiteral(", ") + definitions.join(QStringLiteral(", "));
}

TableFile lookupFile(const QString& fileName, const QString& table)
{
    return {fileName,
            {QStringLiteral("CREATE TABLE \"%1\"(\"%1\" TEXT NOT NULL%2)").arg(table, sortColumns({table})),
             sortIndex(QStringLiteral("PrimaryKey"), table, table, true)}};
}

std::vector<engine::WantedIndex> buildSelectionIndexes()
{
    std::vector<engine::WantedIndex> indexes;
    for (const char* field : {fields::Kategori, fields::Type, fields::Instruktor, fields::Optagetaf, fields::Udlaan})
        indexes.push_back({QStringLiteral("Video.db"), QStringLiteral("Select%1").arg(QLatin1String(field)),
                           {QLatin1String(field), QLatin1String(fields::TapeNr)}});
    return indexes;
}

QStringList createStatements(const std::vector<engine::WantedIndex>& indexes)
{
    QStringList statements;
    for (const engine::WantedIndex& index : indexes)
        statements << QStringLiteral("CREATE INDEX \"%1\" ON Video(\"%2\")").arg(index.name, index.columns.join(QStringLiteral("\", \"")));
    return statements;
}

std::vector<TableFile> buildFiles()
{
    const QString video = QStringLiteral("Video");
    return {
        {QStringLiteral("Video.db"),
         QStringList{QStringLiteral("CREATE TABLE Video(TapeNr TEXT NOT NULL, Titel TEXT, Start TEXT, Slut TEXT, "
                         "Varighed TEXT, Type TEXT, Kopi TEXT, Laengde TEXT, Kategori TEXT, Udlaan TEXT, "
                         "Instruktor TEXT, Optagetaf TEXT, OptagetDato DATE, Fabrikat TEXT, Indhold MEMO TEXT%1)")
              .arg(sortColumns({QStringLiteral("Titel"), QStringLiteral("Kategori"), QStringLiteral("Type")})),
          QStringLiteral("CREATE UNIQUE INDEX PrimaryKey ON Video(TapeNr)"),
          sortIndex(QStringLiteral("IndexTitel"), video, QStringLiteral("Titel"), false),
          sortIndex(QStringLiteral("IndexKategori"), video, QStringLiteral("Kategori"), false),
          sortIndex(QStringLiteral("IndexType"), video, QStringLiteral("Type"), false)}
             + createStatements(selectionIndexes())},
        lookupFile(QStringLiteral("Kategori.db"), QStringLiteral("Kategori")),
        {QStringLiteral("Udlaan.db"),
         {QStringLiteral("CREATE TABLE Udlaan(Tapenr TEXT, Dato DATE, Navn TEXT, Telefon TEXT, Returneret TEXT)"),
          QStringLiteral("CREATE INDEX IndexTapenr ON Udlaan(Tapenr)")}},
        lookupFile(QStringLiteral("Type.db"), QStringLiteral("Type")),
        lookupFile(QStringLiteral("Instruktor.db"), QStringLiteral("Instruktor")),
        lookupFile(QStringLiteral("Optagetaf.db"), QStringLiteral("Optagetaf")),
        lookupFile(QStringLiteral("Skuespiller.DB"), QStringLiteral("Skuespiller")),
        {QStringLiteral("Medvirker.db"),
         {QStringLiteral("CREATE TABLE Medvirker(Tapenr TEXT, Titel TEXT, Skuespiller TEXT, Rolle TEXT)"),
          QStringLiteral("CREATE INDEX IndexTapenr ON Medvirker(Tapenr)")}},
        {QStringLiteral("Config.DB"),
         {QStringLiteral("CREATE TABLE Config(H_Main INTEGER, W_Main INTEGER, Sprog INTEGER, "
                         "H_Over INTEGER, W_Over INTEGER, H_Reg INTEGER, W_Reg INTEGER)")}},
    };
}
} // namespace

const std::vector<TableFile>& catalogueFiles()
{
    static const std::vector<TableFile> files = buildFiles();
    return files;
}

const std::vector<engine::WantedIndex>& selectionIndexes()
{
    static const std::vector<engine::WantedIndex> indexes = buildSelectionIndexes();
    return indexes;
}

QStringList catalogueFileNames()
{
    QStringList names;
    for (const TableFile& file : catalogueFiles())
        names << file.fileName;
    return names;
}

QString configSeedStatement()
{
    // The windows' design client sizes: a window reads exactly these values as "open at the
    // design size" (the frame is unknown here); what a window stores on closing is outer.
    return QStringLiteral("INSERT INTO Config(H_Main, W_Main, Sprog, H_Over, W_Over, H_Reg, W_Reg) "
                          "VALUES (600, 895, -1, 484, 919, 537, 1008)");
}

} // namespace data
