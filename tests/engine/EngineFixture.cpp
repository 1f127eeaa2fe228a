#include "EngineFixture.h"

#include "core/Errors.h"
#include "data/Schema.h"

#include <QDir>
#include <QFileInfo>
#include <sqlite3.h>
#include <stdexcept>

namespace enginetest {

namespace {
sqlite3* openRaw(const QString& path)
{
    sqlite3* db = nullptr;
    if (sqlite3_open(path.toUtf8().constData(), &db) != SQLITE_OK)
        throw std::runtime_error("cannot open " + path.toStdString());
    return db;
}
} // namespace

void execOn(const QString& path, const QString& sql)
{
    sqlite3* db = openRaw(path);
    char* error = nullptr;
    const int rc = sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &error);
    const std::string message = error ? error : "";
    sqlite3_free(error);
    sqlite3_close(db);
    if (rc != SQLITE_OK)
        throw std::runtime_error(message + " in: " + sql.toStdString());
}

QVariant scalarOn(const QString& path, const QString& sql)
{
    sqlite3* db = openRaw(path);
    sqlite3_stmt* statement = nullptr;
    QVariant result;
    if (sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &statement, nullptr) == SQLITE_OK
        && sqlite3_step(statement) == SQLITE_ROW) {
        if (sqlite3_column_type(statement, 0) == SQLITE_INTEGER)
            result = qint64(sqlite3_column_int64(statement, 0));
        else if (sqlite3_column_type(statement, 0) != SQLITE_NULL)
            result = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0)));
    }
    sqlite3_finalize(statement);
    sqlite3_close(db);
    return result;
}

void createCatalogueFile(const QString& dataDir, const QString& fileName)
{
    for (const auto& tableFile : data::catalogueFiles())
        if (tableFile.fileName == fileName)
            execOn(dataDir + QLatin1Char('/') + fileName, tableFile.statements.join(QStringLiteral(";\n")));
}

QString errorOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const core::EError& error) {
        return error.message();
    }
    return QString();
}

void RecordingLink::recordChanged(engine::Field* field)
{
    log_ << name_ + QStringLiteral(":record:") + (field ? field->FieldName() : QStringLiteral("*"));
}

void RecordingLink::updateData()
{
    log_ << name_ + QStringLiteral(":update");
    if (onUpdateData)
        onUpdateData();
}

void EngineTest::SetUp()
{
    ASSERT_TRUE(dir_.isValid());
    QDir().mkpath(dataDir());
    createCatalogueFile(dataDir(), QStringLiteral("Video.db"));
    createCatalogueFile(dataDir(), QStringLiteral("Medvirker.db"));
    db_ = std::make_unique<engine::Database>(dataDir());
}

engine::Table& EngineTest::table(const QString& fileName)
{
    tables_.push_back(std::make_unique<engine::Table>(*db_, fileName));
    return *tables_.back();
}

engine::Table& EngineTest::open(const QString& fileName)
{
    engine::Table& result = table(fileName);
    result.Open();
    return result;
}

void EngineTest::addTape(const QString& tapeNr, const QString& title, const QString& category, const QString& type)
{
    const auto text = [](const QString& value) {
        return value.isNull() ? QStringLiteral("NULL") : QStringLiteral("'%1'").arg(QString(value).replace('\'', "''"));
    };
    execOn(file(QStringLiteral("Video.db")),
           QStringLiteral("INSERT INTO Video(TapeNr, Titel, Kategori, Type, Indhold) VALUES (%1, %2, %3, %4, 'x')")
               .arg(text(tapeNr), text(title), text(category), text(type)));
}

void EngineTest::addCast(const QString& tapeNr, const QString& actor, const QString& role)
{
    execOn(file(QStringLiteral("Medvirker.db")),
           QStringLiteral("INSERT INTO Medvirker(Tapenr, Skuespiller, Rolle) VALUES ('%1', '%2', '%3')")
               .arg(tapeNr, actor, role));
}

qint64 EngineTest::countOf(const QString& fileName, const QString& where)
{
    const QString table = QFileInfo(fileName).completeBaseName();
    QString sql = QStringLiteral("SELECT count(*) FROM \"%1\"").arg(table);
    if (!where.isEmpty())
        sql += QStringLiteral(" WHERE ") + where;
    return scalarOn(file(fileName), sql).toLongLong();
}

QStringList EngineTest::walk(engine::Table& table, const QString& field)
{
    QStringList values;
    table.First();
    while (!table.Eof()) {
        values << table.FieldByName(field).AsString();
        table.Next();
    }
    return values;
}

} // namespace enginetest
