#include "PdfTools.h"

#include <QProcess>
#include <QRegularExpression>
#include <QXmlStreamReader>

namespace testing_support {

namespace {

QString run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return QString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

constexpr double mmPerPoint = 25.4 / 72.0;

double mmAttribute(const QXmlStreamAttributes& attributes, const char* name)
{
    return attributes.value(QLatin1String(name)).toDouble() * mmPerPoint;
}

} // namespace

QStringList pdfPages(const QString& path)
{
    QStringList pages = run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")})
                            .split(QLatin1Char('\f'));
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

int pdfPageCount(const QString& path)
{
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(run(QStringLiteral("pdfinfo"), {path}));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

QString pdfFonts(const QString& path)
{
    return run(QStringLiteral("pdffonts"), {path});
}

QList<PdfWord> pdfWords(const QString& path)
{
    QXmlStreamReader xml(run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), path, QStringLiteral("-")}));
    QList<PdfWord> words;
    int page = 0;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("page")) {
            ++page;
        } else if (xml.name() == QLatin1String("word")) {
            const QXmlStreamAttributes a = xml.attributes();
            PdfWord word{page, QString(), mmAttribute(a, "xMin"), mmAttribute(a, "yMin"),
                         mmAttribute(a, "xMax"), mmAttribute(a, "yMax")};
            word.text = xml.readElementText();
            words << word;
        }
    }
    return words;
}

} // namespace testing_support
