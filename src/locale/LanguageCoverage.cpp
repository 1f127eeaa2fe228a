#include "LanguageCoverage.h"

#include "CommaText.h"
#include "ComponentTree.h"
#include "DesignTexts.h"
#include "KeyResolver.h"
#include "PropertyAccess.h"
#include "TQLanguageFile.h"
#include "TextRules.h"

#include <QHash>
#include <QSet>
#include <QWidget>

namespace locale {

namespace {
using Target = QPair<const QObject*, QString>; // object, folded property name

Target targetOf(const QObject* obj, const QString& propName)
{
    return {obj, text::foldKey(propName)};
}

QStringList duplicateNamesIn(const QWidget* window)
{
    QHash<QString, int> seen;
    QStringList duplicates;
    for (const QObject* component : ComponentTree::Components(window)) {
        const QString name = component->objectName();
        if (!name.isEmpty() && ++seen[text::foldKey(name)] == 2)
            duplicates.append(name);
    }
    return duplicates;
}

// Checks one entry; returns its target when it reaches a translatable property.
std::optional<Target> checkEntry(const KeyResolver& resolver, const QStringList& propNames, const QString& key,
                                 const QString& value, CoverageReport& report)
{
    const ResolvedKey r = resolver.Resolve(key);
    const PropertyKind kind = r.target ? PropertyAccess::Kind(r.target, r.propName) : PropertyKind::None;
    if (!r.target || !propNames.contains(r.propName, Qt::CaseInsensitive) || kind == PropertyKind::None) {
        report.deadKeys.append(key);
        return std::nullopt;
    }
    if (kind == PropertyKind::Text && PropertyAccess::Text(r.target, r.propName).isEmpty())
        report.ineffectiveKeys.append(key);
    if (PropertyAccess::IsListKind(kind)) {
        const qsizetype design = PropertyAccess::List(r.target, r.propName).size();
        const qsizetype file = CommaText::read(value).size();
        if (design != file)
            report.countMismatches.append(QStringLiteral("%1: design %2, file %3").arg(key).arg(design).arg(file));
    }
    return targetOf(r.target, r.propName);
}
} // namespace

bool CoverageReport::complete() const
{
    return missingKeys.isEmpty() && deadKeys.isEmpty() && ineffectiveKeys.isEmpty() && countMismatches.isEmpty()
           && duplicateNames.isEmpty();
}

QString CoverageReport::describe() const
{
    QStringList lines;
    const auto add = [&lines](const char* what, const QStringList& items) {
        for (const QString& item : items)
            lines.append(QLatin1String(what) + item);
    };
    add("missing key: ", missingKeys);
    add("dead key: ", deadKeys);
    add("key over an empty design text: ", ineffectiveKeys);
    add("item count differs: ", countMismatches);
    add("duplicate component name: ", duplicateNames);
    return lines.join(u'\n');
}

CoverageReport LanguageCoverage::Check(QWidget* window, const QStringList& propNames, const TQLanguageFile& file,
                                       const QString& section)
{
    CoverageReport report;
    const QString sectionName = section.isEmpty() ? window->objectName() : section;
    const KeyResolver resolver(window, propNames);
    QSet<Target> translated;
    for (const QString& entry : file.readSection(sectionName)) {
        const qsizetype eq = entry.indexOf(u'=');
        if (const auto target = checkEntry(resolver, propNames, entry.left(eq), entry.mid(eq + 1), report))
            translated.insert(*target);
    }
    for (const DesignText& t : DesignTexts::Collect(window, propNames))
        if (!translated.contains(targetOf(t.object, t.propName)))
            report.missingKeys.append(t.key);
    report.duplicateNames = duplicateNamesIn(window);
    return report;
}

CoverageReport LanguageCoverage::CheckFile(QWidget* window, const QStringList& propNames, const QString& path,
                                           const QString& section)
{
    return Check(window, propNames, TQLanguageFile(path), section);
}

} // namespace locale
