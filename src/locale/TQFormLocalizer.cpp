#include "TQFormLocalizer.h"

#include "CommaText.h"
#include "ComponentTree.h"
#include "DesignTexts.h"
#include "PropertyAccess.h"
#include "QuotedText.h"
#include "TQCustomLanguageSource.h"
#include "TextRules.h"
#include "core/Errors.h"

#include <QHash>

namespace locale {

QWidget* TQFormLocalizer::CheckedWindow(QWidget* window)
{
    if (!window)
        throw core::EQLocalError(QStringLiteral("Owner is not specified!"));
    if (!window->findChildren<TQFormLocalizer*>(QString(), Qt::FindDirectChildrenOnly).isEmpty())
        throw core::EQLocalError(QStringLiteral("'%1' already contains instance of %2 class!")
                                     .arg(window->objectName(), QStringLiteral("TQFormLocalizer")));
    return window;
}

TQFormLocalizer::TQFormLocalizer(QWidget* window) : TQCustomLocalizer(CheckedWindow(window)), window_(window)
{
}

void TQFormLocalizer::Localize()
{
    LocalizeSection(window_->objectName());
}

void TQFormLocalizer::Save()
{
    SaveSection(window_->objectName());
}

void TQFormLocalizer::SaveSection(const QString& section)
{
    TQCustomLanguageSource* source = Source();
    if (!source)
        return;
    source->SetSection(section);
    if (ClearBeforeSave())
        source->EraseSection();
    QStringList lines;
    for (const DesignText& t : DesignTexts::Collect(window_, propNames_, excluded_))
        lines.append(t.key + u'=' + t.text);
    source->WriteSection(lines);
}

void TQFormLocalizer::LanguageChanging(int newIndex, bool& allow)
{
    TQCustomLocalizer::LanguageChanging(newIndex, allow);
    if ((!Source() || Source()->ActiveLanguage() == -1) && newIndex >= 0)
        SaveOriginals();
}

void TQFormLocalizer::LanguageChanged()
{
    if (!Source() || Source()->ActiveLanguage() == -1)
        RestoreOriginals(propNames_);
    TQCustomLocalizer::LanguageChanged();
}

void TQFormLocalizer::LocalizeSection(const QString& section)
{
    TQCustomLanguageSource* source = Source();
    const bool active = source && source->ActiveLanguage() >= 0 && source->ActiveLanguage() < source->Languages().size();
    if (!active) {
        ApplyFontAndDirection(DEFAULT_CHARSET, bdLeftToRight);
        RestoreOriginals(propNames_);
        return;
    }
    ApplyFontAndDirection(source->ActiveSettings()->FontCharSet(), source->ActiveSettings()->BiDiMode());
    source->SetSection(section);
    QStringList entries;
    source->ReadSection(entries);
    for (const QString& entry : entries) {
        const qsizetype eq = entry.indexOf(u'=');
        const QString key = entry.left(eq);
        if (excluded_.contains(key, Qt::CaseInsensitive))
            continue;
        const ResolvedKey resolved = ResolveKey(key);
        ApplyText(resolved.target, resolved.propName, propNames_, entry.mid(eq + 1));
    }
}

void TQFormLocalizer::SaveOriginals()
{
    originals_.clear();
    QHash<QString, qsizetype> lineOfKey;
    for (const DesignText& t : DesignTexts::Collect(window_, propNames_, excluded_)) {
        const QString line = t.key + u'=' + QuotedText::encode(t.text);
        const QString folded = text::foldKey(t.key);
        const auto found = lineOfKey.constFind(folded);
        if (found != lineOfKey.constEnd()) {
            originals_[*found] = line;
            continue;
        }
        lineOfKey.insert(folded, originals_.size());
        originals_.append(line);
    }
}

void TQFormLocalizer::RestoreOriginals(const QStringList& names)
{
    for (qsizetype i = 0; i < originals_.size();) {
        const QString line = originals_[i];
        const qsizetype eq = line.indexOf(u'=');
        const ResolvedKey resolved = ResolveKey(line.left(eq));
        if (!names.contains(resolved.propName, Qt::CaseInsensitive)) {
            ++i;
            continue;
        }
        originals_.removeAt(i);
        ApplyText(resolved.target, resolved.propName, names, QuotedText::decode(line.mid(eq + 1)));
    }
}

ResolvedKey TQFormLocalizer::ResolveKey(const QString& key) const
{
    return KeyResolver(window_, propNames_).Resolve(key);
}

void TQFormLocalizer::WriteByKind(QObject* target, const QString& propName, const QString& text)
{
    switch (PropertyAccess::Kind(target, propName)) {
    case PropertyKind::Text:
        if (!PropertyAccess::Text(target, propName).isEmpty())
            PropertyAccess::SetText(target, propName, text);
        break;
    case PropertyKind::StringList:
        PropertyAccess::SetList(target, propName, CommaText::read(text));
        break;
    case PropertyKind::GridColumns: {
        const QStringList titles = CommaText::read(text);
        QStringList columns = PropertyAccess::List(target, propName);
        for (qsizetype i = 0; i < columns.size() && i < titles.size(); ++i)
            columns[i] = titles[i];
        PropertyAccess::SetList(target, propName, columns);
        break;
    }
    case PropertyKind::None:
        break;
    }
}

void TQFormLocalizer::ApplyText(QObject* target, const QString& propName, const QStringList& names,
                                const QString& text)
{
    if (!target || !names.contains(propName, Qt::CaseInsensitive)
        || PropertyAccess::Kind(target, propName) == PropertyKind::None)
        return;
    QString value = text;
    bool allow = true;
    if (onPropertyLocalizing_)
        onPropertyLocalizing_(*this, target, propName, value, allow);
    if (!allow)
        return;
    WriteByKind(target, propName, value);
    if (onPropertyLocalized_)
        onPropertyLocalized_(*this, target, propName, value);
}

void TQFormLocalizer::ApplyFontAndDirection(int charSet, TBiDiMode direction)
{
    appliedCharSet_ = charSet;
    appliedBiDiMode_ = direction;
    const Qt::LayoutDirection layout = direction == bdLeftToRight ? Qt::LeftToRight : Qt::RightToLeft;
    window_->setLayoutDirection(layout);
    for (QObject* component : ComponentTree::Components(window_))
        if (auto* widget = qobject_cast<QWidget*>(component))
            widget->setLayoutDirection(layout);
}

} // namespace locale
