#include "CsvReader.h"

#include "ImportError.h"
#include "FileKind.h"
#include "ImportTexts.h"
#include "core/Win1252.h"

#include <QDir>
#include <QFileInfo>

namespace import {

namespace {

constexpr qint64 chunkBytes = 64 * 1024;
constexpr qint64 scanBytes = 1024 * 1024;
const QChar quote = QLatin1Char('"');

QString shownPath(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

// Tracks UTF-8 across chunks: a sequence may be split between two reads.
class Utf8Check {
public:
    bool feed(const QByteArray& bytes)
    {
        for (const char byte : bytes) {
            const auto b = static_cast<unsigned char>(byte);
            if (pending_ > 0) {
                if ((b & 0xC0) != 0x80)
                    return false;
                --pending_;
            } else if (b >= 0xC2 && b <= 0xDF) {
                pending_ = 1;
            } else if (b >= 0xE0 && b <= 0xEF) {
                pending_ = 2;
            } else if (b >= 0xF0 && b <= 0xF4) {
                pending_ = 3;
            } else if (b >= 0x80) {
                return false;
            }
        }
        return true;
    }
    bool complete() const { return pending_ == 0; }

private:
    int pending_ = 0;
};

bool isControl(QChar c)
{
    const char16_t u = c.unicode();
    return (u < 0x20 && u != u'\t' && u != u'\r' && u != u'\n') || (u >= 0x7F && u < 0xA0);
}

} // namespace

QString encodingName(TextEncoding encoding)
{
    switch (encoding) {
    case TextEncoding::Utf8: return QStringLiteral("UTF-8");
    case TextEncoding::Utf8Bom: return QStringLiteral("UTF-8 (BOM)");
    case TextEncoding::Utf16LE: return QStringLiteral("UTF-16 LE");
    case TextEncoding::Utf16BE: return QStringLiteral("UTF-16 BE");
    case TextEncoding::Windows1252: return QStringLiteral("Windows-1252");
    }
    return QString();
}

CsvReader::CsvReader(const QString& path, const CsvLimits& limits) : limits_(limits), path_(path)
{
    openFile(path);
    detectEncoding();
    fill();
    refuseBinary();
    detectSeparator();
}

void CsvReader::openFile(const QString& path)
{
    const QFileInfo info(path);
    if (const QString kind = unreadableKind(path); !kind.isEmpty())
        throw EImportError(notAFileText(path, kind));
    if (!info.exists())
        throw EImportError(importText("NoFile", QStringLiteral("Filen \"%1\" findes ikke.")).arg(shownPath(path)));
    file_.setFileName(path);
    if (!info.isFile() || !file_.open(QIODevice::ReadOnly))
        throw EImportError(importText("FileUnreadable", QStringLiteral("Filen \"%1\" kan ikke læses.")).arg(shownPath(path)));
    size_ = file_.size();
    if (size_ == 0)
        throw EImportError(importText("FileEmpty", QStringLiteral("Filen \"%1\" er tom.")).arg(shownPath(path)));
    if (size_ > limits_.largestFile)
        throw EImportError(importText("FileTooLarge", QStringLiteral("Filen \"%1\" fylder %2 MB; der kan højst indlæses %3 MB."))
                               .arg(shownPath(path))
                               .arg(size_ / (1024 * 1024))
                               .arg(limits_.largestFile / (1024 * 1024)));
}

void CsvReader::detectEncoding()
{
    const QByteArray head = file_.peek(3);
    if (head.startsWith("\xEF\xBB\xBF")) {
        encoding_ = TextEncoding::Utf8Bom;
        file_.seek(3);
    } else if (head.startsWith("\xFF\xFE")) {
        encoding_ = TextEncoding::Utf16LE;
        file_.seek(2);
    } else if (head.startsWith("\xFE\xFF")) {
        encoding_ = TextEncoding::Utf16BE;
        file_.seek(2);
    } else {
        // Without a mark the file is UTF-8 only when all of it is: Windows-1252 text with a
        // Danish letter is almost never valid UTF-8.
        Utf8Check check;
        bool valid = true;
        while (valid && !file_.atEnd())
            valid = check.feed(file_.read(scanBytes));
        encoding_ = valid && check.complete() ? TextEncoding::Utf8 : TextEncoding::Windows1252;
        file_.seek(0);
    }
    if (encoding_ != TextEncoding::Windows1252)
        decoder_ = QStringDecoder(encoding_ == TextEncoding::Utf16LE   ? QStringConverter::Utf16LE
                                  : encoding_ == TextEncoding::Utf16BE ? QStringConverter::Utf16BE
                                                                       : QStringConverter::Utf8);
}

QString CsvReader::decodeChunk(const QByteArray& bytes)
{
    if (encoding_ == TextEncoding::Windows1252)
        return core::win1252::decode(bytes);
    return decoder_.decode(bytes);
}

bool CsvReader::fill()
{
    if (atEnd_)
        return false;
    const QByteArray bytes = file_.read(chunkBytes);
    if (bytes.isEmpty()) {
        atEnd_ = true;
        return false;
    }
    buffer_ = buffer_.mid(at_) + decodeChunk(bytes);
    at_ = 0;
    return true;
}

// A picture, a program or a database is not a table of text: say so at once instead of
// reporting every "line" of it.
void CsvReader::refuseBinary() const
{
    qsizetype controls = 0;
    for (const QChar c : buffer_)
        controls += isControl(c) ? 1 : 0;
    if (controls > 4 && controls * 100 > buffer_.size())
        throw EImportError(importText("NotText", QStringLiteral("\"%1\" er ikke en tekstfil med kolonner.")).arg(shownPath(path_)));
}

// The header row decides: the candidate found most often outside quotes.
void CsvReader::detectSeparator()
{
    int counts[3] = {0, 0, 0};
    const QChar candidates[3] = {QLatin1Char(';'), QLatin1Char('\t'), QLatin1Char(',')};
    bool quoted = false;
    for (const QChar c : buffer_) {
        if (c == quote)
            quoted = !quoted;
        else if (!quoted && (c == QLatin1Char('\n') || c == QLatin1Char('\r')))
            break;
        for (int i = 0; i < 3; ++i)
            counts[i] += !quoted && c == candidates[i] ? 1 : 0;
    }
    int best = 0;
    for (int i = 1; i < 3; ++i)
        if (counts[i] > counts[best])
            best = i;
    separator_ = candidates[best];
}

void CsvReader::resetRecord(CsvRecord& record)
{
    record.line = line_;
    record.fields.clear();
    record.problem.clear();
    field_.clear();
    recordLength_ = 0;
}

void CsvReader::noteProblem(CsvRecord& record, const QString& problem)
{
    if (record.problem.isEmpty())
        record.problem = problem;
    record.fields.clear();
    field_.clear();
}

void CsvReader::endField(CsvRecord& record)
{
    if (!record.problem.isEmpty())
        return;
    if (record.fields.size() >= limits_.mostFields) {
        noteProblem(record, importText("TooManyFields", QStringLiteral("mere end %1 felter")).arg(limits_.mostFields));
        return;
    }
    record.fields << field_;
    field_.clear();
}

bool CsvReader::next(CsvRecord& record)
{
    const auto peek = [this](QChar& c) {
        if (at_ >= buffer_.size() && !fill())
            return false;
        c = buffer_.at(at_);
        return true;
    };
    const auto append = [this, &record](QChar c) {
        if (!record.problem.isEmpty())
            return;
        if (c.unicode() == 0)
            noteProblem(record, importText("NulCharacter", QStringLiteral("linjen indeholder et NUL-tegn")));
        else if (field_.size() >= limits_.longestField)
            noteProblem(record, importText("FieldTooLong", QStringLiteral("et felt er længere end %1 tegn"))
                                    .arg(limits_.longestField));
        else if (++recordLength_ > limits_.longestRecord)
            noteProblem(record, importText("RecordTooLong", QStringLiteral("posten er længere end %1 tegn"))
                                    .arg(limits_.longestRecord));
        else
            field_ += c;
    };
    for (;;) {
        resetRecord(record);
        bool quoted = false;
        bool fieldStarts = true;
        bool any = false;
        QChar c;
        for (;;) {
            if (!peek(c)) {
                if (quoted)
                    noteProblem(record, importText("QuoteNotClosed", QStringLiteral("anførselstegnet lukkes ikke før filens slutning")));
                if (!any)
                    return false;
                endField(record);
                return true;
            }
            ++at_;
            if (quoted) {
                QChar following;
                if (c == quote && peek(following) && following == quote) {
                    ++at_;
                    append(quote);
                } else if (c == quote) {
                    quoted = false;
                } else {
                    line_ += c == QLatin1Char('\n') ? 1 : 0;
                    append(c);
                }
                continue;
            }
            if (c == QLatin1Char('\n') || c == QLatin1Char('\r')) {
                QChar following;
                if (c == QLatin1Char('\r') && peek(following) && following == QLatin1Char('\n'))
                    ++at_;
                ++line_;
                if (!any)
                    break; // an empty line
                endField(record);
                return true;
            }
            any = true;
            if (c == separator_) {
                endField(record);
                fieldStarts = true;
                continue;
            }
            if (c == quote && fieldStarts && field_.isEmpty())
                quoted = true;
            else
                append(c);
            fieldStarts = false;
        }
    }
}

} // namespace import
