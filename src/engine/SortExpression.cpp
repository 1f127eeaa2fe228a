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
    return danishSortColumns(column, QLatin1Char('"') + column + QLatin1Char('"'));
}

QStringList danishSortColumns(const QString& column, const QString& from)
{
    // SQLite's parser takes about 28 nested calls, so the fold runs in three generated
    // columns of at most kStageSize replace() calls each; the last one is the sort key.
    constexpr size_t kStageSize = 26;
    static const auto table = foldTable();
    QStringList definitions;
    QString expression = from;
    for (size_t begin = 0, stage = 1; begin < table.size(); begin += kStageSize, ++stage) {
        if (begin > 0)
            expression = QLatin1Char('"') + expression + QLatin1Char('"');
        for (size_t i = begin; i < std::min(table.size(), begin + kStageSize); ++i)
            expression = QStringLiteral("replace(%1,'%2','%3')").arg(expression, table[i].first, table[i].second);
        const QString name = begin + kStageSize >= table.size() ? danishSortKey(column)
                                                                : QStringLiteral("%1_fold%2").arg(column).arg(stage);
        definitions << QStringLiteral("\"%1\" TEXT GENERATED ALWAYS AS (%2) VIRTUAL").arg(name, expression);
        expression = name;
    }
    return definitions;
}

QString digitRunColumn(const QString& column)
{
    return column + QStringLiteral("_fold0");
}

bool isDigitRunColumn(const QString& name)
{
    return name.endsWith(QLatin1String("_fold0"));
}

QString digitRunKey(const QString& value)
{
    // s(i, out, run): the text before character i done into out, the digits of an unfinished
    // run in run; one step past the end finishes the last run.
    QString sql = QStringLiteral(
        "(WITH RECURSIVE s(i, out, run) AS (SELECT 1, '', '' UNION ALL SELECT i + 1, "
        "CASE WHEN substr(VALUE, i, 1) GLOB '[0-9]' THEN out ELSE out || CASE WHEN run <> '' "
        "THEN printf('%02d', length(ltrim(run, '0'))) || ltrim(run, '0') ELSE '' END || substr(VALUE, i, 1) END, "
        "CASE WHEN substr(VALUE, i, 1) GLOB '[0-9]' THEN run || substr(VALUE, i, 1) ELSE '' END "
        "FROM s WHERE i <= length(VALUE) + 1) SELECT out FROM s ORDER BY i DESC LIMIT 1)");
    return sql.replace(QLatin1String("VALUE"), value);
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
