#include "CatalogueCheck.h"

#include "core/Errors.h"
#include "engine/Database.h"
#include "engine/TableCheck.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>

namespace data {

namespace {

QString tableName(const TableFile& file)
{
    return QFileInfo(file.fileName).completeBaseName();
}

// The fields each file's statements give, worked out once: every opening checks against them.
const QStringList& declaredFields(const TableFile& file)
{
    static const QHash<QString, QStringList> fields = [] {
        QHash<QString, QStringList> byFile;
        for (const TableFile& each : catalogueFiles())
            byFile.insert(each.fileName, engine::declaredColumns(each.statements, tableName(each)));
        return byFile;
    }();
    return *fields.find(file.fileName);
}

} // namespace

QStringList missingFields(const TableFile& file, const QStringList& columns)
{
    QStringList missing;
    for (const QString& field : declaredFields(file))
        if (!columns.contains(field, Qt::CaseInsensitive))
            missing << field;
    return missing;
}

QString missingFieldsMessage(const QString& path, const QStringList& missing)
{
    return QStringLiteral("Table file '%1' is not a table of this catalogue: it lacks the field(s) %2")
        .arg(QDir::toNativeSeparators(path), missing.join(QStringLiteral(", ")));
}

void checkCatalogue(engine::Database& db)
{
    for (const TableFile& file : catalogueFiles()) {
        const QString schema = db.attach(file.fileName);
        const QStringList missing = missingFields(file, engine::columnNames(db, schema));
        if (!missing.isEmpty())
            throw core::EDatabaseError(missingFieldsMessage(db.filePath(schema), missing));
    }
}

} // namespace data
