// The main window's language handling: the language menu, the label Sproget, the caption
// and the help page follow the active language; the index is stored on close.
#include "HovedForm.h"

#include "core/Guard.h"
#include "core/ProgramPaths.h"
#include "data/DM.h"
#include "locale/Languages.h"
#include "locale/TQLanguageSource.h"
#include "support/QtTranslations.h"

#include <QAction>
#include <QActionGroup>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>

namespace app {

namespace {

// %1: the help page's path.
const locale::LanguageTexts kNoBrowser = {
    "Hjælpen kunne ikke åbnes: ingen browser kunne vise siden %1",
    "The help could not be opened: no browser could show the page %1",
    "Hjelpen kunne ikke åpnes: ingen nettleser kunne vise siden %1",
    "Hjälpen kunde inte öppnas: ingen webbläsare kunde visa sidan %1",
    "Die Hilfe konnte nicht geöffnet werden: kein Browser konnte die Seite %1 anzeigen"};

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
    const locale::Language* language = locale::findLanguage(index);
    if (!language)
        return;
    Sproget->setText(QString::fromUtf8(language->name));
    if (index + 1 < languageItems().size())
        languageItems().at(index + 1)->setChecked(true);
    if (withHelpPage)
        Help->setToolTip(core::programPaths().shippedFile(QStringLiteral("Help/") + QString::fromUtf8(language->helpFolder)
                                                          + QStringLiteral("/index.html")));
    setWindowTitle(QString::fromUtf8(language->caption));
    menuBar()->setAccessibleName(windowTitle()); // Alt alone lands on the menu bar
    support::useQtTranslations(index);
    support::useLanguageFormsWhereLocaleHasNone(index);
    // Labels fit their texts when scaled; new texts need fitting again.
    refitControls();
}

QString THovedForm::noBrowserNotice(const QString& page) const
{
    return kNoBrowser.text(activeLanguageIndex()).arg(QDir::toNativeSeparators(page));
}

QString THovedForm::helpPagePath() const
{
    // An action reports its text as tool tip until a hint is set.
    return Help->toolTip() == Help->text() ? QString() : Help->toolTip();
}

} // namespace app
