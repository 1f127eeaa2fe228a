#include "TQLanguageFile.h"

#include "QuotedText.h"
#include "TextRules.h"
#include "core/Errors.h"
#include "core/UserFiles.h"
#include "core/Win1252.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace locale {

namespace {
QByteArray readBounded(const QString& path)
{
    return core::readRegularFile(path, TQLanguageFile::kMaxFileSize).value_or(QByteArray());
}
} // namespace

TQLanguageFile::TQLanguageFile(const QString& path)
{
    fileName_ = path;
    const QByteArray bytes = readBounded(path);
    parse(core::win1252::decode(bytes));
}

TQLanguageFile TQLanguageFile::fromBytes(const QByteArray& bytes)
{
    TQLanguageFile file;
    file.parse(core::win1252::decode(bytes));
    return file;
}

void TQLanguageFile::parse(const QString& content)
{
    // A NUL byte ends the text.
    const qsizetype nul = content.indexOf(QChar(0));
    const QStringView text = QStringView(content).left(nul < 0 ? content.size() : nul);
    Section* current = nullptr;
    qsizetype start = 0;
    while (start <= text.size()) {
        qsizetype end = start;
        while (end < text.size() && text[end] != u'\r' && text[end] != u'\n')
            ++end;
        parseLine(text.mid(start, end - start), current);
        if (end < text.size() && text[end] == u'\r' && end + 1 < text.size() && text[end + 1] == u'\n')
            ++end;
        start = end + 1;
    }
}

void TQLanguageFile::parseLine(QStringView rawLine, Section*& current)
{
    const QStringView line = text::trimmed(rawLine);
    if (line.isEmpty() || line[0] == u';')
        return;
    if (line.size() >= 2 && line.front() == u'[' && line.back() == u']') {
        current = openBoundedSection(text::trimmed(line.mid(1, line.size() - 2)));
        return;
    }
    if (!current)
        return; // lines before the first section
    const qsizetype eq = line.indexOf(u'=');
    if (eq < 0)
        return;
    const QStringView key = text::trimmed(line.left(eq));
    if (entryAllowed(*current, key))
        addEntry(*current, key, text::trimmed(line.mid(eq + 1)).left(kMaxValueLength));
}

TQLanguageFile::Section* TQLanguageFile::openBoundedSection(QStringView name)
{
    const bool known = sectionIndex_.contains(text::foldKey(name));
    if (name.size() > kMaxNameLength || (!known && sections_.size() >= kMaxSections))
        return nullptr; // its lines are dropped with it
    return &openSection(name);
}

bool TQLanguageFile::entryAllowed(const Section& section, QStringView key)
{
    if (key.size() > kMaxNameLength)
        return false;
    if (section.index.contains(text::foldKey(key)))
        return true; // replaces a value: holds no more than before
    if (parsedEntries_ >= kMaxEntries)
        return false;
    ++parsedEntries_;
    return true;
}

TQLanguageFile::Section& TQLanguageFile::openSection(QStringView name)
{
    // A later section of the same name replaces the earlier one entirely (in its place).
    const QString folded = text::foldKey(name);
    const auto found = sectionIndex_.constFind(folded);
    if (found != sectionIndex_.constEnd()) {
        Section& section = sections_[*found];
        section = Section{name.toString(), {}, {}};
        return section;
    }
    sectionIndex_.insert(folded, sections_.size());
    sections_.append(Section{name.toString(), {}, {}});
    return sections_.last();
}

void TQLanguageFile::addEntry(Section& section, QStringView key, QStringView value)
{
    const QString folded = text::foldKey(key);
    const auto found = section.index.constFind(folded);
    if (found != section.index.constEnd()) {
        section.entries[*found].second = value.toString(); // the last value counts
        return;
    }
    section.index.insert(folded, section.entries.size());
    section.entries.append({key.toString(), value.toString()});
}

const TQLanguageFile::Section* TQLanguageFile::findSection(const QString& name) const
{
    const auto found = sectionIndex_.constFind(text::foldKey(name));
    return found == sectionIndex_.constEnd() ? nullptr : &sections_[*found];
}

QStringList TQLanguageFile::sectionNames() const
{
    QStringList names;
    for (const Section& s : sections_)
        names.append(s.name);
    return names;
}

bool TQLanguageFile::hasSection(const QString& section) const
{
    return findSection(section) != nullptr;
}

QStringList TQLanguageFile::keys(const QString& section) const
{
    QStringList result;
    if (const Section* s = findSection(section))
        for (const Entry& e : s->entries)
            result.append(e.first);
    return result;
}

std::optional<QString> TQLanguageFile::rawValue(const QString& section, const QString& key) const
{
    const Section* s = findSection(section);
    if (!s)
        return std::nullopt;
    const auto found = s->index.constFind(text::foldKey(key));
    if (found == s->index.constEnd())
        return std::nullopt;
    return s->entries[*found].second;
}

QString TQLanguageFile::readString(const QString& section, const QString& key, const QString& def) const
{
    if (key.isEmpty())
        return def;
    const std::optional<QString> raw = rawValue(section, key);
    return raw ? QuotedText::decode(*raw) : def;
}

QStringList TQLanguageFile::readSection(const QString& section) const
{
    QStringList lines;
    const Section* s = findSection(section);
    if (!s)
        return lines;
    for (const Entry& e : s->entries) {
        if (e.first.isEmpty())
            continue;
        const QString value = QuotedText::decode(e.second);
        if (!value.isEmpty())
            lines.append(e.first + u'=' + value);
    }
    return lines;
}

namespace {
// A name the reader would read back differently (split at "=", broken into lines) is refused.
void checkWritableName(const QString& name, bool isKey)
{
    bool bad = name.isEmpty() || (isKey && name.contains(u'='));
    for (QChar c : name)
        bad = bad || text::isControlChar(c);
    if (bad)
        throw core::EQLocalError(QStringLiteral("Cannot write the name '%1' to a language file!").arg(name));
}
} // namespace

void TQLanguageFile::setRawValue(const QString& section, const QString& key, const QString& rawValue)
{
    checkWritableName(section, false);
    checkWritableName(key, true);
    const QString folded = text::foldKey(section);
    auto found = sectionIndex_.constFind(folded);
    if (found == sectionIndex_.constEnd()) {
        found = sectionIndex_.insert(folded, sections_.size());
        sections_.append(Section{section, {}, {}});
    }
    addEntry(sections_[*found], key, rawValue);
}

void TQLanguageFile::eraseSection(const QString& section)
{
    const auto found = sectionIndex_.constFind(text::foldKey(section));
    if (found == sectionIndex_.constEnd())
        return;
    sections_.removeAt(*found);
    sectionIndex_.clear();
    for (qsizetype i = 0; i < sections_.size(); ++i)
        sectionIndex_.insert(text::foldKey(sections_[i].name), i);
}

void TQLanguageFile::clear()
{
    sections_.clear();
    sectionIndex_.clear();
}

QByteArray TQLanguageFile::toBytes() const
{
    QString text;
    for (qsizetype i = 0; i < sections_.size(); ++i) {
        if (i > 0)
            text += QLatin1String("\r\n");
        text += u'[' + sections_[i].name + QLatin1String("]\r\n");
        for (const Entry& e : sections_[i].entries)
            text += e.first + u'=' + e.second + QLatin1String("\r\n");
    }
    return core::win1252::encode(text);
}

void TQLanguageFile::save() const
{
    QSaveFile file(fileName_);
    const QByteArray bytes = toBytes();
    if (fileName_.isEmpty() || !file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()
        || !file.commit())
        throw core::EQLocalError(QStringLiteral("Cannot write language file '%1'!").arg(fileName_));
}

} // namespace locale
