#include "SkueForm.h"

#include "AppContext.h"
#include "Design.h"
#include "core/Guard.h"
#include "data/DM.h"
#include "data/Fields.h"
#include "dbctrls/DBGrid.h"
#include "dbctrls/DBLookupComboBox.h"
#include "engine/Filter.h"
#include "locale/Languages.h"
#include "locale/TQFormLocalizer.h"
#include "locale/TQLanguageSource.h"
#include "support/Alignment.h"
#include "support/WindowSize.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QShowEvent>

namespace forms {

namespace fields = data::fields;

QString actorPhrase(int languageIndex)
{
    // The Danish phrase serves every language but German.
    static const char* const danish = " har medvirket i disse film";
    static const locale::LanguageTexts phrases = {danish, danish, danish, danish,
                                                              " hat in diesem Film mitgemacht"};
    const char* const* phrase = phrases.find(languageIndex);
    return phrase ? QString::fromUtf8(*phrase) : QString();
}

TSkueForm::TSkueForm(QWidget* parent) : QDialog(parent)
{
    QFormLocalizer1 = design::localizer(this, {QStringLiteral("Caption"), QStringLiteral("Hint"), QStringLiteral("Columns")});
    design::setUpDialog(this, "SkueForm", QStringLiteral("Skuespillere"));
    resize(kDesignWidth, kDesignHeight);
    createActorPanel();
    createGrid();
    support::realign(this);
    connect(DBLookupComboBox7, &dbctrls::TDBLookupComboBox::chosen, this,
            [this] { core::guarded([this] { DBLookupComboBox7Click(); }); });
    connect(DBGrid5, &dbctrls::TDBGrid::cellClicked, this, [this] { core::guarded([this] { DBGrid5CellClick(); }); });
    QFormLocalizer1->Loaded();
    design::fitLabels(this);
    // Names a screen reader says, in the language the window was built in.
    Label25->setBuddy(DBLookupComboBox7);
    DBGrid5->setAccessibleName(windowTitle());
}

void TSkueForm::createActorPanel()
{
    Panel1 = design::panel(this, "Panel1");
    Panel1->setGeometry(0, 0, kDesignWidth, 51);
    support::setAlign(Panel1, support::Align::Top);
    Label25 = design::label(Panel1, "Label25", QStringLiteral("Vælg skuespiller"), QPoint(12, 5), true);
    DBLookupComboBox7 = design::lookupList(Panel1, "DBLookupComboBox7", {nullptr, ""},
                                           {data::DM->SkuespilSource, fields::Skuespiller}, {12, 21, 234, 21}, 18);
    DBLookupComboBox7->setFont(design::font());
    Label26 = design::label(Panel1, "Label26", QString(), QPoint(272, 23));
    Label26->setFont(design::font(10));
    design::setTextColor(Label26, design::blue());
}

void TSkueForm::createGrid()
{
    DBGrid5 = new dbctrls::TDBGrid(this);
    DBGrid5->setObjectName(QStringLiteral("DBGrid5"));
    DBGrid5->setFont(design::font());
    DBGrid5->setTitleBold(true);
    DBGrid5->setToolTip(QStringLiteral("Dobbeltklik på en film for at se alle informationer"));
    std::vector<dbctrls::TDBGridColumn> columns(3);
    columns[0].fieldName = fields::Titel;
    columns[0].width = 260;
    columns[1].fieldName = fields::Skuespiller;
    columns[1].width = 180;
    columns[2].fieldName = fields::Rolle;
    columns[2].width = 200;
    DBGrid5->setColumns(columns);
    // A list to look at and jump from: cast rows are edited in the registration window,
    // where the record rules give them their tape and title.
    DBGrid5->setReadOnly(true);
    DBGrid5->setDataSource(data::DM->MedvirkAllSource);
    DBGrid5->setGeometry(0, 51, kDesignWidth, kDesignHeight - 51);
    support::setAlign(DBGrid5, support::Align::Client);
}

void TSkueForm::DBLookupComboBox7Click()
{
    const QString name = DBLookupComboBox7->shownText();
    engine::Table& cast = *data::DM->MedvirkAllTable;
    cast.SetFilter(engine::makeFilter(fields::Skuespiller, name));
    cast.SetFiltered(true);
    const QString phrase = actorPhrase(appContext().activeLanguage());
    if (phrase.isEmpty())
        return;
    Label26->setText(name + phrase);
    design::fitLabel(Label26);
}

void TSkueForm::DBGrid5CellClick()
{
    const QString tapeNr = data::DM->MedvirkAllTable->FieldByName(fields::TapeNr).AsString();
    data::DM->VideoTable->Locate(fields::TapeNr, tapeNr);
}

void TSkueForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    core::guarded([this] {
        support::setOuterSize(this, QSize(kDesignWidth, kDesignHeight));
        support::keepCentredWhileShowing(this);
    });
}

void TSkueForm::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    core::guarded([this] { support::realign(this); });
}

void TSkueForm::keyPressEvent(QKeyEvent* event)
{
    // No cancel button: Escape does not close the window.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace forms
