#pragma once
// Reads a text file of separated values with a header row, as spreadsheets and the program's
// own export write it: the encoding (UTF-8 with or without a byte-order mark, UTF-16 with
// one, else Windows-1252) and the separator (';', ',' or tab) are found by looking, quoted
// fields may hold doubled quotes, separators and line breaks. The file is untrusted: it is
// streamed in chunks, fields and records are capped, and a damaged record is handed out with
// the reason instead of its values, so memory stays bounded whatever the file holds.
#include <QFile>
#include <QString>
#include <QStringDecoder>
#include <QStringList>

namespace import {

enum class TextEncoding { Utf8, Utf8Bom, Utf16LE, Utf16BE, Windows1252 };

struct CsvLimits {
    qint64 largestFile = 1024LL * 1024 * 1024;
    qsizetype longestField = 64 * 1024;     ///< characters
    qsizetype longestRecord = 1024 * 1024;  ///< characters of all its values together
    int mostFields = 512;
};

struct CsvRecord {
    qint64 line = 0;        ///< the line the record starts on, 1-based
    QStringList fields;     ///< empty when problem is set
    QString problem;        ///< why the record cannot be used; empty when it can
};

class CsvReader {
public:
    /// Opens the file and finds its encoding and separator. Throws EImportError with the
    /// message for the user when it cannot be read, is empty, too large or not text.
    explicit CsvReader(const QString& path, const CsvLimits& limits = CsvLimits());

    /// The next record; false at the end of the file. Lines holding nothing are passed over.
    bool next(CsvRecord& record);

    QChar separator() const { return separator_; }
    TextEncoding encoding() const { return encoding_; }
    qint64 fileSize() const { return size_; }
    /// Bytes consumed so far, for progress.
    qint64 position() const { return file_.pos(); }

private:
    void openFile(const QString& path);
    void detectEncoding();
    void detectSeparator();
    void refuseBinary() const;
    bool fill();
    QString decodeChunk(const QByteArray& bytes);
    void resetRecord(CsvRecord& record);
    void endField(CsvRecord& record);
    void noteProblem(CsvRecord& record, const QString& problem);

    CsvLimits limits_;
    QFile file_;
    QString path_;
    qint64 size_ = 0;
    TextEncoding encoding_ = TextEncoding::Utf8;
    QStringDecoder decoder_;
    QChar separator_ = QLatin1Char(';');
    QString buffer_;
    qsizetype at_ = 0;
    bool atEnd_ = false;
    qint64 line_ = 1;
    QString field_;
    qsizetype recordLength_ = 0;
};

/// The encoding's name as the report shows it ("UTF-8", "Windows-1252", ...).
QString encodingName(TextEncoding encoding);

} // namespace import
