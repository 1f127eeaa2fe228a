#pragma once
// The language source of the program: reads the active language's file whole into memory
// when that language becomes active and answers ReadString/ReadSection from it. A missing
// or unreadable file is not an error: every lookup then gives its default.
#include "TQFileLanguageSource.h"

#include <memory>

namespace locale {

class TQLanguageFile;

class TQLanguageSource : public TQFileLanguageSource {
    Q_OBJECT
public:
    explicit TQLanguageSource(QObject* parent = nullptr);
    ~TQLanguageSource() override;

    /// Sort the entries of a section (by text, without regard to case) before they are applied.
    bool SortSections() const { return sortSections_; }
    void SetSortSections(bool sort) { sortSections_ = sort; }

    /// The open file: present exactly while a language (index 0 or more) is active.
    const TQLanguageFile* LanguageFile() const { return file_.get(); }

    /// Releases any open file, then reads the active language's file, if any.
    void LoadLanguage() override;
    void UnloadLanguage() override;
    bool IsReadOnly() const override { return false; }
    QString ReadString(const QString& key, const QString& def) const override;
    /// Clears list, then one "key=decoded value" line per key of the current section in file
    /// order (a key seen twice once, at its first place, with its last value; empty values
    /// left out); sorted when SortSections is set.
    void ReadSection(QStringList& list) const override;

    // Writing changes the open file in memory and saves it back to disk at once; with the
    // original language active there is no file and nothing is written. Values are stored in
    // the quoted form. A file that cannot be saved throws EQLocalError naming it.
    void WriteString(const QString& key, const QString& value) override;
    /// Each "key=value" line of list (lines without "=" skipped), saved once.
    void WriteSection(const QStringList& list) override;
    void EraseSection() override;
    void ClearLanguage() override;

private:
    std::unique_ptr<TQLanguageFile> file_;
    bool sortSections_ = false;
};

} // namespace locale
