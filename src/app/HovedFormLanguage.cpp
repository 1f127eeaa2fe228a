// The main window's language handling: the language menu, the label Sproget, the caption
// and the help page follow the active language; the index is stored on close.
#include "HovedForm.h"

#include "core/Guard.h"
#include "core/ProgramPaths.h"
#include "data/DM.h"
#include "locale/TQLanguageSource.h"
#include "support/QtTranslations.h"

#include <QAction>
#include <QActionGroup>
#include <QDir>
#include <QLabel>
#include <QMenu>

namespace app {

namespace {

struct LanguageTexts {
    const char* label;
    const char* caption;
    const char* helpPage;
    const char* noBrowser; // %1: the help page's path
};

// By active language index, -1 first.
constexpr LanguageTexts kLanguageTexts[] = {
    {"Dansk", "Spolarkiv", "Help/Dansk/index.html", "Hjælpen kunne ikke åbnes: ingen browser kunne vise siden %1"},
    {"English", "Reelkeep", "Help/Engelsk/index.html", "The help could not be opened: no browser could show the page %1"},
    {"Norsk", "Spolarkiv", "Help/Norsk/index.html", "Hjelpen kunne ikke åpnes: ingen nettleser kunne vise siden %1"},
    {"Svensk", "Rullarkiv", "Help/Svensk/index.html", "Hjälpen kunde inte öppnas: ingen webbläsare kunde visa sidan %1"},
    {"Deutsch", "Bandhort", "Help/Tysk/index.html",
     "Die Hilfe konnte nicht geöffnet werden: kein Browser konnte die Seite %1 anzeigen"},
};

const LanguageTexts* textsFor(int index)
{
    const int slot = index + 1;
    if (slot < 0 || slot >= int(std::size(kLanguageTexts)))
        return nullptr;
    return &kLanguageTexts[slot];
}

// The tag of a language item: its index plus 2.
int tagOf(const QAction* item)
{
    return item->data().toInt();
}

} // namespace

void THovedForm::applyStoredLanguage()
{
    QLanguageSource1->SetActiveLanguage(data::DM->configInteger(QStringLiteral("Sprog")));
    buildLanguageItems();
    const int active = QLanguageSource1->ActiveLanguage();
    if (active + 1 < languageItems().size())
        languageItems().at(active + 1)->setChecked(true);
    showLanguage(active, true);
}

void THovedForm::buildLanguageItems()
{
    languageGroup_ = new QActionGroup(this);
    languageGroup_->setExclusive(true);
    const int count = int(QLanguageSource1->Languages().size());
    for (int index = -1; index < count; ++index) {
        const QString caption = index < 0 ? QLanguageSource1->OriginalName() : QLanguageSource1->LanguageName(index);
        auto* item = new QAction(caption, this);
        item->setCheckable(true);
        item->setData(index + 2);
        languageGroup_->addAction(item);
        Sprog1->addAction(item);
        connect(item, &QAction::triggered, this, [this, item] { core::guarded([&] { LanguageItemClick(item); }); });
    }
}

QList<QAction*> THovedForm::languageItems() const
{
    return languageGroup_ ? languageGroup_->actions() : QList<QAction*>();
}

void THovedForm::LanguageItemClick(QAction* item)
{
    item->setChecked(true);
    for (QAction* other : languageItems())
        if (tagOf(other) == tagOf(item)) {
            other->setChecked(true);
            break;
        }
    const int tag = tagOf(item);
    if (tag > 0 && tag < int(QLanguageSource1->Languages().size()) + 2)
        QLanguageSource1->SetActiveLanguage(tag - 2);
    // The help page stays the one of the language active at the first showing.
    showLanguage(QLanguageSource1->ActiveLanguage(), false);
}

void THovedForm::showLanguage(int index, bool withHelpPage)
{
    const LanguageTexts* texts = textsFor(index);
    if (!texts)
        return;
    Sproget->setText(QString::fromUtf8(texts->label));
    if (index + 1 < languageItems().size())
        languageItems().at(index + 1)->setChecked(true);
    if (withHelpPage)
        Help->setToolTip(core::programPaths().shippedFile(QString::fromLatin1(texts->helpPage)));
    setWindowTitle(QString::fromUtf8(texts->caption));
    support::useQtTranslations(index);
    // Labels fit their texts when scaled; new texts need fitting again.
    refitControls();
}

QString THovedForm::noBrowserNotice(const QString& page) const
{
    const LanguageTexts* texts = textsFor(activeLanguageIndex());
    return QString::fromUtf8(texts ? texts->noBrowser : kLanguageTexts[0].noBrowser).arg(QDir::toNativeSeparators(page));
}

QString THovedForm::helpPagePath() const
{
    // An action reports its text as tool tip until a hint is set.
    return Help->toolTip() == Help->text() ? QString() : Help->toolTip();
}

} // namespace app
