#include "SortExpression.h"

#include <QHash>

#include <algorithm>
#include <utility>
#include <vector>

namespace engine {

namespace {
// Letters after z, in Danish order: æ/ä, then ø/ö, then å.
constexpr char kAe[] = "{";
constexpr char kOe[] = "|";
constexpr char kAa[] = "}";

std::vector<std::pair<QString, QString>> foldTable()
{
    std::vector<std::pair<QString, QString>> table;
    for (char c = 'A'; c <= 'Z'; ++c)
        table.emplace_back(QString(QChar(c)), QString(QChar(c + 32)));
    const auto add = [&table](const char* letters, const char* to) {
        for (QChar c : QString::fromUtf8(letters))
            table.emplace_back(QString(c), QString::fromLatin1(to));
    };
    add("æÆäÄ", kAe);
    add("øØöÖ", kOe);
    add("åÅ", kAa);
    add("àáâãÀÁÂÃ", "a");
    add("çÇ", "c");
    add("èéêëÈÉÊË", "e");
    add("ìíîïÌÍÎÏ", "i");
    add("ñÑ", "n");
    add("òóôõÒÓÔÕ", "o");
    add("ùúûüÙÚÛÜ", "u");
    add("ýÿÝ", "y");
    return table;
}
} // namespace

QStringList danishSortColumns(const QString& column)
{
    // SQLite's parser takes about 28 nested calls, so the fold runs in three generated
    // columns of at most kStageSize replace() calls each; the last one is the sort key.
    constexpr size_t kStageSize = 26;
    static const auto table = foldTable();
    QStringList definitions;
    QString input = column;
    for (size_t begin = 0, stage = 1; begin < table.size(); begin += kStageSize, ++stage) {
        QString expression = QLatin1Char('"') + input + QLatin1Char('"');
        for (size_t i = begin; i < std::min(table.size(), begin + kStageSize); ++i)
            expression = QStringLiteral("replace(%1,'%2','%3')").arg(expression, table[i].first, table[i].second);
        const QString name = begin + kStageSize >= table.size() ? danishSortKey(column)
                                                                : QStringLiteral("%1_fold%2").arg(column).arg(stage);
        definitions << QStringLiteral("\"%1\" TEXT GENERATED ALWAYS AS (%2) VIRTUAL").arg(name, expression);
        input = name;
    }
    return definitions;
}

QString danishSortKey(const QString& column)
{
    return column + QStringLiteral("_sortkey");
}

QString danishFold(const QString& text)
{
    // Every pattern is one character and no replacement is itself a pattern, so the chain of
    // replace() calls is a per-character map.
    static const QHash<QChar, QString> map = [] {
        QHash<QChar, QString> result;
        for (const auto& [from, to] : foldTable())
            result.insert(from.at(0), to);
        return result;
    }();
    QString folded;
    folded.reserve(text.size());
    for (QChar c : text) {
        const auto it = map.constFind(c);
        if (it == map.constEnd())
            folded += c;
        else
            folded += *it;
    }
    return folded;
}

} // namespace engine
