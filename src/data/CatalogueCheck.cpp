#include "CatalogueCheck.h"

#include "FieldTable.h"
#include "core/Errors.h"
#include "core/SectionTexts.h"
#include "engine/Database.h"
#include "engine/TableCheck.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

namespace data {

QStringList missingFields(const TableFile& file, const QStringList& columns, int version)
{
    QStringList missing;
    for (const QString& field : tableSpec(file.fileName).namesAt(version))
        if (!columns.contains(field, Qt::CaseInsensitive))
            missing << field;
    return missing;
}

QString missingFieldsMessage(const QString& path, const QStringList& missing)
{
    return core::sectionText("Catalogue", "LacksFields", QStringLiteral("Tabelfilen \"%1\" er ikke en tabel i dette katalog: den mangler feltet/felterne %2"))
        .arg(QDir::toNativeSeparators(path), missing.join(QStringLiteral(", ")));
}

namespace {

// A file's version this program does not open: the file, its version and the program's.
core::EDatabaseError versionRefusal(const char* key, const QString& danish, const QString& path, int version)
{
    return core::EDatabaseError(
        core::sectionText("Catalogue", key, danish).arg(QDir::toNativeSeparators(path)).arg(version).arg(kSchemaVersion));
}

} // namespace

void refuseNewerFile(const QString& path, int version)
{
    if (version > kSchemaVersion)
        throw versionRefusal("Newer",
                             QStringLiteral("Tabelfilen \"%1\" er lavet af en nyere Spolarkiv (katalogversion %2); denne "
                                            "Spolarkiv kender katalogversion %3. Intet er ændret."),
                             path, version);
}

void refuseOlderFile(const QString& path, int version)
{
    if (version < kSchemaVersion)
        throw versionRefusal("Older",
                             QStringLiteral("Tabelfilen \"%1\" har katalogversion %2, og denne Spolarkiv bruger version %3. "
                                            "Åbn kataloget i Spolarkiv, så opgraderes det."),
                             path, version);
}

bool needsUpgrade(const std::vector<FileVersion>& versions)
{
    return std::any_of(versions.begin(), versions.end(), [](const FileVersion& v) { return v.version < kSchemaVersion; });
}

std::vector<FileVersion> checkCatalogue(engine::Database& db)
{
    std::vector<FileVersion> versions;
    for (const TableFile& file : catalogueFiles()) {
        const QString schema = db.attach(file.fileName);
        const int version = db.scalar(QStringLiteral("PRAGMA \"%1\".user_version").arg(schema)).toInt();
        refuseNewerFile(db.filePath(schema), version);
        const QStringList missing = missingFields(file, engine::columnNames(db, schema), version);
        if (!missing.isEmpty())
            throw core::EDatabaseError(missingFieldsMessage(db.filePath(schema), missing));
        versions.push_back({file.fileName, schema, version});
    }
    return versions;
}

} // namespace data
