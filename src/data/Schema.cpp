#include "Schema.h"

#include "FieldTable.h"
#include "Fields.h"

namespace data {

namespace {

std::vector<engine::WantedIndex> buildSelectionIndexes()
{
    std::vector<engine::WantedIndex> indexes;
    const TableSpec& video = tableSpecs().front();
    for (const IndexSpec& index : video.indexes)
        if (index.name.startsWith(QLatin1String("Select")))
            indexes.push_back({video.fileName, index.name, index.columns});
    return indexes;
}

std::vector<TableFile> buildFiles()
{
    std::vector<TableFile> files;
    for (const TableSpec& spec : tableSpecs())
        files.push_back({spec.fileName, createStatements(spec) << QStringLiteral("PRAGMA user_version = %1").arg(kSchemaVersion)});
    return files;
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
    // The fields added later take their defaults.
    return QStringLiteral("INSERT INTO Config(H_Main, W_Main, Sprog, H_Over, W_Over, H_Reg, W_Reg) "
                          "VALUES (600, 895, -1, 484, 919, 537, 1008)");
}

} // namespace data
