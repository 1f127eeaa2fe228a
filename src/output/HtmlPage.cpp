#include "HtmlPage.h"

#include "engine/SortExpression.h"

#include <QFile>

namespace output {

namespace {

QString resourceText(const QString& name)
{
    QFile file(QStringLiteral(":/output/html/") + name);
    file.open(QIODevice::ReadOnly);
    return QString::fromUtf8(file.readAll());
}

QString htmlEscaped(const QString& text)
{
    return text.toHtmlEscaped().replace(QLatin1Char('\''), QLatin1String("&#39;"));
}

void appendJsonArray(QString& out, const QStringList& values)
{
    out += QLatin1Char('[');
    for (qsizetype i = 0; i < values.size(); ++i) {
        if (i > 0)
            out += QLatin1Char(',');
        appendJsonString(out, values.at(i));
    }
    out += QLatin1Char(']');
}

// The overview's Danish fold as a character map, so that the page sorts as the overview does.
void appendFoldMap(QString& out)
{
    out += QLatin1Char('{');
    bool first = true;
    for (char16_t c = 0x20; c < 0x250; ++c) {
        const QString letter(QChar{c});
        const QString folded = engine::danishFold(letter);
        if (folded == letter)
            continue;
        if (!first)
            out += QLatin1Char(',');
        first = false;
        appendJsonString(out, letter);
        out += QLatin1Char(':');
        appendJsonString(out, folded);
    }
    out += QLatin1Char('}');
}

QString pageData(const std::vector<WebTape>& tapes, const std::vector<int>& covers, bool hasLocation, const WebText& text)
{
    QString out = QStringLiteral("{\"location\":") + (hasLocation ? QStringLiteral("true") : QStringLiteral("false"));
    out += QStringLiteral(",\"texts\":{");
    bool first = true;
    for (const auto& [key, danish] : webPageTexts()) {
        if (!first)
            out += QLatin1Char(',');
        first = false;
        appendJsonString(out, QString::fromLatin1(key));
        out += QLatin1Char(':');
        appendJsonString(out, text(key, QString::fromUtf8(danish)));
    }
    out += QStringLiteral("},\"fold\":");
    appendFoldMap(out);
    out += QStringLiteral(",\"tapes\":[");
    for (size_t i = 0; i < tapes.size(); ++i) {
        const WebTape& t = tapes[i];
        if (i > 0)
            out += QStringLiteral(",\n");
        appendJsonArray(out, {t.number, t.title, t.category, t.type, t.director, t.location, t.duration});
        out.chop(1);
        out += QStringLiteral(",%1,%2]").arg(t.lent ? 1 : 0).arg(covers[i]);
    }
    return out + QStringLiteral("]}");
}

// A value inside the detail text, whose separators are the control characters 1 to 4.
QString detailValue(const QString& value)
{
    QString clean = value;
    for (QChar& c : clean)
        if (c.unicode() <= 4)
            c = QLatin1Char(' ');
    return clean;
}

// Titles, directors, descriptions and casts as one text the page searches in one pass: per
// tape "title^A director^A description^A actor^A actor ...^B", then ^D and per tape
// "role^A role ...^B"; zlib-compressed and in base64, which holds no HTML special character.
QByteArray detailBlock(const std::vector<WebTape>& tapes)
{
    const QChar field(1), end(2);
    QByteArray text;
    QString one;
    for (const WebTape& t : tapes) {
        one = detailValue(t.title) + field + detailValue(t.director) + field + detailValue(t.description);
        for (qsizetype k = 0; k + 1 < t.cast.size(); k += 2)
            one += field + detailValue(t.cast.at(k));
        text += (one + end).toUtf8();
    }
    text += '\x04';
    for (const WebTape& t : tapes) {
        one.clear();
        for (qsizetype k = 1; k < t.cast.size(); k += 2)
            one += (k > 1 ? QString(field) : QString()) + detailValue(t.cast.at(k));
        text += (one + end).toUtf8();
    }
    // qCompress puts the length in four bytes before the zlib stream the browser unpacks.
    return qCompress(text, 6).mid(4).toBase64();
}

} // namespace

void appendJsonString(QString& out, const QString& text)
{
    out += QLatin1Char('"');
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == '"' || u == '\\') {
            out += QLatin1Char('\\');
            out += c;
        } else if (u < 0x20 || u == '<' || u == '>' || u == '&' || u == '\'' || u == 0x2028 || u == 0x2029) {
            out += QStringLiteral("\\u%1").arg(unsigned(u), 4, 16, QLatin1Char('0'));
        } else {
            out += c;
        }
    }
    out += QLatin1Char('"');
}

QByteArray htmlPage(const std::vector<WebTape>& tapes, const std::vector<int>& covers, bool hasLocation,
                    const WebText& text)
{
    QString page = resourceText(QStringLiteral("catalogue.html"));
    page.replace(QLatin1String("%LANG%"), htmlEscaped(text("Language", QStringLiteral("da"))));
    page.replace(QLatin1String("%TITLE%"), htmlEscaped(text("PageTitle", QStringLiteral("Videokatalog"))));
    page.replace(QLatin1String("%STYLE%"), resourceText(QStringLiteral("catalogue.css")));
    page.replace(QLatin1String("%SCRIPT%"), resourceText(QStringLiteral("catalogue.js")));
    // The data go in last, so that nothing in them is taken for a marker.
    const qsizetype details = page.indexOf(QLatin1String("%DETAILS%"));
    const qsizetype data = page.indexOf(QLatin1String("%DATA%"));
    Q_ASSERT(details > data && data > 0);
    QByteArray out = page.left(data).toUtf8();
    out += pageData(tapes, covers, hasLocation, text).toUtf8();
    out += page.mid(data + 6, details - data - 6).toUtf8();
    out += detailBlock(tapes);
    out += page.mid(details + 9).toUtf8();
    return out;
}

} // namespace output
