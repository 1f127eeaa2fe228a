#include "VersionZero.h"

#include "common/ProgramRun.h"
#include "engine/SortExpression.h"

#include <QDir>
#include <QFile>
#include <sqlite3.h>

namespace testing_support {

namespace {

QString sortColumns(const QStringList& columns)
{
    QStringList definitions;
    for (const QString& column : columns)
        definitions << engine::danishSortColumns(column);
    return QStringLiteral(", ") + definitions.join(QStringLiteral(", "));
}

QString sortIndex(const QString& name, const QString& table, const QString& column, bool unique)
{
    return QStringLiteral("CREATE %1INDEX \"%2\" ON \"%3\"(\"%4\", \"%5\");")
        .arg(unique ? QStringLiteral("UNIQUE ") : QString(), name, table, engine::danishSortKey(column), column);
}

QString lookup(const QString& table, const QStringList& values)
{
    QString sql = QStringLiteral("CREATE TABLE \"%1\"(\"%1\" TEXT NOT NULL%2);").arg(table, sortColumns({table}))
                  + sortIndex(QStringLiteral("PrimaryKey"), table, table, true);
    for (const QString& value : values)
        sql += QStringLiteral("INSERT INTO \"%1\" VALUES('%2');").arg(table, value);
    return sql;
}

struct OldFile {
    const char* fileName;
    QString sql;
    const char* fields; // the version-0 fields, for reading the values back
};

std::vector<OldFile> oldFiles()
{
    QString video = QStringLiteral("CREATE TABLE Video(TapeNr TEXT NOT NULL, Titel TEXT, Start TEXT, Slut TEXT, "
                                   "Varighed TEXT, Type TEXT, Kopi TEXT, Laengde TEXT, Kategori TEXT, Udlaan TEXT, "
                                   "Instruktor TEXT, Optagetaf TEXT, OptagetDato DATE, Fabrikat TEXT, Indhold MEMO TEXT%1);"
                                   "CREATE UNIQUE INDEX PrimaryKey ON Video(TapeNr);")
                        .arg(sortColumns({QStringLiteral("Titel"), QStringLiteral("Kategori"), QStringLiteral("Type")}));
    for (const char* order : {"Titel", "Kategori", "Type"})
        video += sortIndex(QStringLiteral("Index%1").arg(QLatin1String(order)), QStringLiteral("Video"), QLatin1String(order), false);
    for (const char* field : {"Kategori", "Type", "Instruktor", "Optagetaf", "Udlaan"})
        video += QStringLiteral("CREATE INDEX \"Select%1\" ON Video(\"%1\", \"TapeNr\");").arg(QLatin1String(field));
    video += QString::fromUtf8(
        "INSERT INTO Video VALUES('0001-00', 'Ørnens øje', '01:30', '03:15', '01:45:00', 'VHS', 'Original', '03:00', "
        "'Krimi', 'Ja', 'Lang', 'Mig', '2001-10-12', 'Sony', 'Første linje\nanden linje');"
        "INSERT INTO Video VALUES('0002-00', 'Tøsepiger', NULL, NULL, NULL, 'DVD', 'Kopi', NULL, 'Drama', 'Nej', NULL, "
        "NULL, NULL, NULL, NULL);");
    return {
        {"Video.db", video,
         "TapeNr, Titel, Start, Slut, Varighed, Type, Kopi, Laengde, Kategori, Udlaan, Instruktor, Optagetaf, "
         "OptagetDato, Fabrikat, Indhold"},
        {"Kategori.db", lookup(QStringLiteral("Kategori"), {QStringLiteral("Krimi"), QStringLiteral("Drama")}), "Kategori"},
        {"Udlaan.db",
         QStringLiteral("CREATE TABLE Udlaan(Tapenr TEXT, Dato DATE, Navn TEXT, Telefon TEXT, Returneret TEXT);"
                        "CREATE INDEX IndexTapenr ON Udlaan(Tapenr);"
                        "INSERT INTO Udlaan VALUES('0001-00', '2026-11-02', 'Hans', '12345678', NULL);"
                        "INSERT INTO Udlaan VALUES('0002-00', '2026-01-05', 'Grete', NULL, 'Ja');"),
         "Tapenr, Dato, Navn, Telefon, Returneret"},
        {"Type.db", lookup(QStringLiteral("Type"), {QStringLiteral("VHS"), QStringLiteral("DVD")}), "Type"},
        {"Instruktor.db", lookup(QStringLiteral("Instruktor"), {QStringLiteral("Lang")}), "Instruktor"},
        {"Optagetaf.db", lookup(QStringLiteral("Optagetaf"), {QStringLiteral("Mig")}), "Optagetaf"},
        {"Skuespiller.DB", lookup(QStringLiteral("Skuespiller"), {QStringLiteral("Bodil"), QStringLiteral("Ove")}), "Skuespiller"},
        {"Medvirker.db",
         QString::fromUtf8("CREATE TABLE Medvirker(Tapenr TEXT, Titel TEXT, Skuespiller TEXT, Rolle TEXT);"
                           "CREATE INDEX IndexTapenr ON Medvirker(Tapenr);"
                           "INSERT INTO Medvirker VALUES('0001-00', 'Ørnens øje', 'Bodil', 'Mor');"
                           "INSERT INTO Medvirker VALUES('0001-00', 'Ørnens øje', 'Ove', NULL);"
                           "INSERT INTO Medvirker VALUES('0002-00', 'Tøsepiger', 'Bodil', 'Lærer');"),
         "Tapenr, Titel, Skuespiller, Rolle"},
        {"Config.DB",
         QStringLiteral("CREATE TABLE Config(H_Main INTEGER, W_Main INTEGER, Sprog INTEGER, "
                        "H_Over INTEGER, W_Over INTEGER, H_Reg INTEGER, W_Reg INTEGER);"
                        "INSERT INTO Config VALUES (640, 900, 2, 500, 930, 540, 1010);"),
         "H_Main, W_Main, Sprog, H_Over, W_Over, H_Reg, W_Reg"},
    };
}

} // namespace

void makeVersionZeroCatalogue(const QString& dataDir)
{
    QDir().mkpath(dataDir);
    for (const OldFile& file : oldFiles())
        execOnDatabase(QDir(dataDir).filePath(QLatin1String(file.fileName)), file.sql.toUtf8());
}

QStringList versionZeroValues(const QString& dataDir, const QString& fileName)
{
    QStringList rows;
    for (const OldFile& file : oldFiles()) {
        if (fileName != QLatin1String(file.fileName))
            continue;
        sqlite3* db = nullptr;
        sqlite3_open_v2(QFile::encodeName(QDir(dataDir).filePath(fileName)).constData(), &db, SQLITE_OPEN_READONLY, nullptr);
        const QByteArray sql = QStringLiteral("SELECT %1 FROM \"%2\" ORDER BY rowid")
                                   .arg(QLatin1String(file.fields), fileName.section(QLatin1Char('.'), 0, 0))
                                   .toUtf8();
        sqlite3_stmt* statement = nullptr;
        sqlite3_prepare_v2(db, sql.constData(), -1, &statement, nullptr);
        while (statement && sqlite3_step(statement) == SQLITE_ROW) {
            QStringList values;
            for (int i = 0; i < sqlite3_column_count(statement); ++i)
                values << (sqlite3_column_type(statement, i) == SQLITE_NULL
                               ? QStringLiteral("<null>")
                               : QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, i))));
            rows << values.join(QLatin1Char('|'));
        }
        sqlite3_finalize(statement);
        sqlite3_close(db);
    }
    return rows;
}

namespace {

QStringList firstColumn(const QString& path, const char* sql)
{
    QStringList values;
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(db, sql, -1, &statement, nullptr) == SQLITE_OK)
            while (sqlite3_step(statement) == SQLITE_ROW)
                values << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0)));
        sqlite3_finalize(statement);
    }
    sqlite3_close(db);
    return values;
}

} // namespace

int userVersion(const QString& path)
{
    const QStringList version = firstColumn(path, "PRAGMA user_version");
    return version.isEmpty() ? -1 : version.front().toInt();
}

QStringList indexNames(const QString& path)
{
    return firstColumn(path, "SELECT name || '(' || group_concat(column, ', ') || ')' FROM (SELECT m.name AS name, "
                             "i.name AS column FROM sqlite_master AS m, pragma_index_info(m.name) AS i WHERE "
                             "m.type = 'index' AND m.sql IS NOT NULL ORDER BY m.name, i.seqno) GROUP BY name ORDER BY name");
}

} // namespace testing_support
