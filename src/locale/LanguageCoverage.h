#pragma once
// Checks a language file section against a window: which designed texts it leaves
// untranslated and which of its keys lead nowhere. For window tests, run on a window that
// shows its design (original) texts:
//     const auto report = locale::LanguageCoverage::CheckFile(&window, {"Caption", "Hint"},
//                                                              programDir + "/English.lng");
//     EXPECT_TRUE(report.complete()) << report.describe().toStdString();
#include <QString>
#include <QStringList>

class QWidget;

namespace locale {

class TQLanguageFile;

struct CoverageReport {
    /// Keys of designed, non-blank texts (window and named components, each name in the
    /// property names) that the section does not translate (no key, or an empty value).
    QStringList missingKeys;
    /// Section keys that resolve to no object, name a property outside the property names,
    /// or a property the object does not have (or not of a translatable kind).
    QStringList deadKeys;
    /// Keys of text properties that are empty in the design: such a text is never replaced.
    QStringList ineffectiveKeys;
    /// "key: design n, file m" for list and column keys whose item count differs.
    QStringList countMismatches;
    /// Component names that occur more than once in the window (keys reach only the first).
    QStringList duplicateNames;

    bool complete() const;
    /// All findings, one per line, for a test's failure message.
    QString describe() const;
};

class LanguageCoverage {
public:
    /// Checks section (the window's objectName when empty) of file against window.
    static CoverageReport Check(QWidget* window, const QStringList& propNames, const TQLanguageFile& file,
                                const QString& section = QString());
    /// Reads the file at path (Windows-1252) and checks it.
    static CoverageReport CheckFile(QWidget* window, const QStringList& propNames, const QString& path,
                                    const QString& section = QString());
};

} // namespace locale
