#include "WebTapes.h"

#include "data/Fields.h"
#include "engine/Database.h"
#include "engine/Statement.h"
#include "engine/Table.h"

#include <QHash>

namespace output {

namespace {

// Position of a field in the table, -1 when the table's version has no such field.
int fieldIndex(const engine::Table& table, const char* name)
{
    const engine::Field* field = table.FindField(QString::fromLatin1(name));
    return field ? field->Index() : -1;
}

// Rows of fields (by name, missing ones read as empty) in the table's view order.
template <typename Row>
void readRows(engine::Table& table, const std::vector<const char*>& names, const Row& row)
{
    std::vector<int> present;
    std::vector<int> columnOf;
    for (const char* name : names) {
        const int index = fieldIndex(table, name);
        columnOf.push_back(index < 0 ? -1 : int(present.size()));
        if (index >= 0)
            present.push_back(index);
    }
    const auto [sql, values] = table.viewFieldsSql(present);
    if (sql.isEmpty())
        return;
    engine::Statement statement(table.database(), sql, table.TableName());
    for (size_t i = 0; i < values.size(); ++i)
        statement.bind(int(i) + 1, values[i]);
    std::vector<QString> texts(names.size());
    while (statement.step()) {
        for (size_t i = 0; i < names.size(); ++i)
            texts[i] = columnOf[i] < 0 ? QString() : statement.text(columnOf[i]);
        row(texts);
    }
}

} // namespace

std::vector<WebTape> readWebTapes(engine::Database& db, bool* hasLocation)
{
    namespace f = data::fields;
    // One state of the catalogue for both files, while other copies of the program may write.
    const engine::ReadSnapshot snapshot(db);
    QHash<QString, QStringList> castOf;
    engine::Table cast(db, QStringLiteral("Medvirker.db"));
    cast.Open();
    readRows(cast, {f::LinkTapeNr, f::Skuespiller, f::Rolle}, [&castOf](const std::vector<QString>& v) {
        castOf[v[0]] << v[1] << v[2];
    });

    engine::Table video(db, QStringLiteral("Video.db"));
    video.Open();
    *hasLocation = fieldIndex(video, f::Placering) >= 0;
    std::vector<WebTape> tapes;
    tapes.reserve(size_t(video.RowCount()));
    readRows(video, {f::TapeNr, f::Titel, f::Kategori, f::Type, f::Instruktor, f::Placering, f::Varighed, f::Udlaan, f::Indhold},
             [&](const std::vector<QString>& v) {
                 WebTape tape{v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[8],
                              v[7].compare(QLatin1String("Ja"), Qt::CaseInsensitive) == 0, castOf.value(v[0])};
                 tapes.push_back(std::move(tape));
             });
    return tapes;
}

} // namespace output
