#pragma once
// Finds the next record of a table whose chosen field contains a text (or matches a
// wildcard pattern), in the table's current order and within its filter, and leaves the
// table on it; when nothing matches the table stays where it was.
#include "TextMatcher.h"

#include <QObject>
#include <QString>
#include <optional>

namespace engine {
class DataSource;
class Field;
class Table;
} // namespace engine

namespace support {

class TEasyFind : public QObject {
    Q_OBJECT
public:
    /// Memo texts are searched only in their first 65,280 characters; other fields in 255.
    static constexpr int kMemoLimit = 65280;
    static constexpr int kTextLimit = 255;

    explicit TEasyFind(QObject* owner = nullptr);

    QString MultiCharPattern = QStringLiteral("%");
    QChar SingleCharPattern = QLatin1Char('_');
    bool CaseSensitive = false;
    bool AllowWildcards = false;
    engine::DataSource* DataSource = nullptr;
    QString SearchField;
    QString SearchKey;
    /// Records a search walks before it asks the full-text index (not published).
    int WalkedBeforeIndex = 256;

    /// Searches from the first record. Throws EDBSearchPatternNotFound for an unknown field.
    void Find();
    /// Searches from the record after the current one with the key and field of the last
    /// search; EDBSearchError "No initial Find/Locate done first" otherwise.
    void FindNext();
    bool Found() const { return found_; }

private:
    engine::Table& table() const;
    engine::Field& searchedField(engine::Table& table);
    void scan(engine::Table& table, engine::Field& field);
    const TextMatcher& currentMatcher();

    bool findNextMode_ = false;
    bool found_ = false;
    QString lastKey_;
    QString lastField_;
    std::optional<TextMatcher> matcher_;
    QString matcherKey_;
    MatchOptions matcherOptions_;
};

} // namespace support
