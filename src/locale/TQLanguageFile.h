#pragma once
// One language file held in memory: sections of "key=value" entries, read from the bytes of
// a Windows-1252 text file. Values are kept as written (in the quoted form); readString and
// readSection decode them.
//
// The file is untrusted input. Whatever its bytes, reading never fails: a missing, unreadable
// or non-regular file (a folder, a pipe), or one larger than kMaxFileSize, reads as an empty
// file, and every lookup then gives its default. Time and memory are linear in the file size
// (see the bounds below).
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>
#include <utility>

namespace locale {

class TQLanguageFile {
public:
    /// Files beyond this size are not read (they read as empty).
    static constexpr qint64 kMaxFileSize = 64 * 1024 * 1024;
    // Bounds on what a file may hold, far beyond any real language file, so that memory stays
    // a small multiple of the file's size: sections and entries past them are dropped, a
    // section or key with a longer name too (it names no component), a longer value is cut.
    static constexpr qsizetype kMaxSections = 10000;
    static constexpr qsizetype kMaxEntries = 100000;
    static constexpr qsizetype kMaxNameLength = 1024;
    static constexpr qsizetype kMaxValueLength = 64 * 1024;

    /// An empty file: no section.
    TQLanguageFile() = default;
    /// Reads the file at path (see the class comment for what cannot be read).
    explicit TQLanguageFile(const QString& path);
    /// Parses bytes as a file's content.
    static TQLanguageFile fromBytes(const QByteArray& bytes);

    const QString& fileName() const { return fileName_; }
    bool isEmpty() const { return sections_.isEmpty(); }

    /// Section names in the order of their first appearance, as last written.
    QStringList sectionNames() const;
    bool hasSection(const QString& section) const;
    /// Keys of a section in the order of their first appearance, as first written.
    QStringList keys(const QString& section) const;
    /// The value of a key as written (still quoted); std::nullopt when section or key is missing.
    std::optional<QString> rawValue(const QString& section, const QString& key) const;
    /// The decoded value, or def when the key is empty or section or key is missing.
    QString readString(const QString& section, const QString& key, const QString& def) const;
    /// "key=decoded value" per key of the section, in file order; entries whose decoded value
    /// is empty are left out. Empty when the section is missing.
    QStringList readSection(const QString& section) const;

    // Changes in memory; save() writes them out.
    /// Sets key of section to a value as written (already in the quoted form), adding the
    /// section and the key at the end when they are missing. Throws EQLocalError for an empty
    /// name, a name holding a control character, or a key holding "=".
    void setRawValue(const QString& section, const QString& key, const QString& rawValue);
    void eraseSection(const QString& section);
    void clear();
    /// The file's content: each section as "[name]" and its "key=value" lines, a blank line
    /// between sections, CR LF line ends, Windows-1252 ("?" for what it lacks). Comments and
    /// lines the reader ignores are not kept.
    QByteArray toBytes() const;
    /// Replaces the file at fileName() with toBytes() in one step, so a failed write leaves the
    /// old file whole. Throws EQLocalError naming the file when it cannot be written.
    void save() const;

private:
    using Entry = std::pair<QString, QString>; // key as first written, last raw value
    struct Section {
        QString name;
        QList<Entry> entries;
        QHash<QString, qsizetype> index; // folded key -> position in entries
    };

    void parse(const QString& text);
    void parseLine(QStringView line, Section*& current);
    Section& openSection(QStringView name);
    Section* openBoundedSection(QStringView name);
    bool entryAllowed(const Section& section, QStringView key);
    static void addEntry(Section& section, QStringView key, QStringView value);
    const Section* findSection(const QString& name) const;

    QString fileName_;
    qsizetype parsedEntries_ = 0;
    QList<Section> sections_;
    QHash<QString, qsizetype> sectionIndex_; // folded name -> position in sections_
};

} // namespace locale
