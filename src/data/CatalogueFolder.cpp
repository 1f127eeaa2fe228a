#include "CatalogueFolder.h"

#include "Schema.h"
#include "TextIndex.h"
#include "core/Errors.h"
#include "engine/TableFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

namespace data {

bool holdsTables(const QString& folder)
{
    const QDir dir(folder);
    for (const auto& file : catalogueFiles())
        if (QFileInfo::exists(dir.filePath(file.fileName)))
            return true;
    return !dir.entryList({QStringLiteral("*.db"), QStringLiteral("*.DB")}, QDir::Files).isEmpty();
}

void createCatalogue(const QString& folder)
{
    if (!QDir().mkpath(folder))
        throw core::EDatabaseError(QStringLiteral("Cannot create the folder %1").arg(QDir::toNativeSeparators(folder)));
    // A half-made folder would count as one holding tables: take back what this call made.
    QStringList made;
    try {
        for (const auto& file : catalogueFiles()) {
            QStringList statements = file.statements;
            if (file.fileName == QLatin1String("Config.DB"))
                statements << configSeedStatement();
            // The searches' index from the start, so a new catalogue opens without making it.
            if (file.fileName == QLatin1String("Video.db"))
                statements << textIndexStatements(QString());
            const QString path = QDir(folder).filePath(file.fileName);
            engine::createTableFile(path, statements);
            made << path;
        }
    } catch (...) {
        for (const QString& path : std::as_const(made))
            QFile::remove(path);
        throw;
    }
}

} // namespace data
