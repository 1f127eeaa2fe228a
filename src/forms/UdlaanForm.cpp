#include "UdlaanForm.h"

#include "AppContext.h"
#include "GridColumns.h"
#include "TapeCommands.h"
#include "WindowPlacement.h"
#include "core/Guard.h"
#include "data/DM.h"
#include "dbctrls/DBGrid.h"
#include "dbctrls/DBNavigator.h"
#include "dbctrls/DBText.h"
#include "engine/Field.h"
#include "engine/Filter.h"
#include "engine/Table.h"
#include "locale/TQFormLocalizer.h"
#include "locale/TQLanguageSource.h"
#include "support/WindowSize.h"

#include <QKeyEvent>
#include <QShowEvent>
#include <QToolButton>

namespace forms {

namespace {

const UdlaanTexts kTexts[] = {
    {"Dansk", "Udlån", "Vis alle", "Båndnr.,Dato,Navn,Telefon", "Første,Forrige,Næste,Sidste,Tilføj,Slet,Ret,Gem,Fortryd"},
    {"Norsk", "Udlån", "Vis alle", "Båndnr.,Dato,Navn,Telefon", "Første,Forrige,Neste,Siste,Tilføy,Fjern,Ret,Gem,Fortryd"},
    {"Svensk", "Udlån", "Vis alle", "Båndnr.,Dato,Navn,Telefon",
     "Första,Förre,Nästa,Sidsta,Lägg till,Slet,Ret,Spare,Fortryd"},
    {"English", "Borrowed", "Show all", "Tape no.,Date,Name,Telephone", "First,Prior,Next,Last,Add,Erase,Edit,Save,Cancel"},
    {"Deutsch", "Verliehene", "Alle anzeigen", "Bandnummer,Datum,Nahme,Telefon",
     "Erste,Vorige,Nächste,Letzte,Hinzufügen,Löeschen,Redigieren,Spechern,Bereuen"},
};

QStringList commaList(const char* text)
{
    return QString::fromUtf8(text).split(QLatin1Char(','));
}

} // namespace

const UdlaanTexts* udlaanTextsFor(const QString& languageName)
{
    for (const UdlaanTexts& texts : kTexts)
        if (languageName == QString::fromUtf8(texts.language))
            return &texts;
    return nullptr;
}

TUdlaanForm::TUdlaanForm(QWidget* parent) : QDialog(parent)
{
    QFormLocalizer1 = new locale::TQFormLocalizer(this);
    QFormLocalizer1->setObjectName(QStringLiteral("QFormLocalizer1"));
    QFormLocalizer1->SetPropNames(propNames());
    QFormLocalizer1->SetSource(appContext().languageSource);

    setObjectName(QStringLiteral("UdlaanForm"));
    setWindowTitle(QStringLiteral("Udlån"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFont(QFont(QStringLiteral("Liberation Sans"), 8));

    DBText2 = new dbctrls::TDBText(this);
    DBText2->setObjectName(QStringLiteral("DBText2"));
    DBText2->setGeometry(22, 13, 561, 24);
    DBText2->setAlignment(Qt::AlignCenter);
    DBText2->setFont(QFont(QStringLiteral("Liberation Sans"), 14));
    QPalette navy = DBText2->palette();
    navy.setColor(QPalette::WindowText, QColor(0, 0, 128));
    DBText2->setPalette(navy);
    DBText2->setDataSource(data::DM->VideoSource);
    DBText2->setDataField(QStringLiteral("Titel"));

    DBGrid2 = new dbctrls::TDBGrid(this);
    DBGrid2->setObjectName(QStringLiteral("DBGrid2"));
    DBGrid2->setGeometry(14, 45, 577, 305);
    DBGrid2->setTitleBold(true);
    // Widths that let a name, a telephone number and every language's titles show in full.
    DBGrid2->setColumns({gridColumn(QStringLiteral("Tapenr"), QStringLiteral("Båndnr."), 80),
                         gridColumn(QStringLiteral("Dato"), QString(), 85),
                         gridColumn(QStringLiteral("Navn"), QString(), 180),
                         gridColumn(QStringLiteral("Telefon"), QString(), 110),
                         gridColumn(QStringLiteral("Returneret"), QString(), 100)});
    DBGrid2->setDataSource(data::DM->UdlaanSource);

    DBNavigator3 = new dbctrls::TDBNavigator(this);
    DBNavigator3->setObjectName(QStringLiteral("DBNavigator3"));
    DBNavigator3->setGeometry(15, 365, 487, 33);
    DBNavigator3->setCursor(Qt::PointingHandCursor);
    DBNavigator3->setHints({QStringLiteral("Første"), QStringLiteral("Forrige"), QStringLiteral("Næste"),
                            QStringLiteral("Sidste"), QStringLiteral("Nyt udlån"), QStringLiteral("Slet udlån"),
                            QStringLiteral("Ret udlån"), QStringLiteral("Gem udlån"), QStringLiteral("Fortryd udlån")});
    DBNavigator3->setDataSource(data::DM->UdlaanSource);

    SpeedButton5 = new QToolButton(this);
    SpeedButton5->setObjectName(QStringLiteral("SpeedButton5"));
    SpeedButton5->setText(QStringLiteral("&Vis alle"));
    // Wider than designed (and the navigator narrower), so the German "Alle anzeigen" fits.
    SpeedButton5->setGeometry(510, 364, 81, 33);
    SpeedButton5->setCursor(Qt::PointingHandCursor);
    SpeedButton5->setFocusPolicy(Qt::NoFocus);
    QFont bold = font();
    bold.setBold(true);
    SpeedButton5->setFont(bold);
    connect(SpeedButton5, &QToolButton::clicked, this, [this] { core::guarded([this] { SpeedButton5Click(); }); });

    resize(kDesignWidth, kDesignHeight);
    QFormLocalizer1->Loaded();
}

QStringList TUdlaanForm::propNames()
{
    return {QStringLiteral("Caption"), QStringLiteral("Hint"), QStringLiteral("Columns")};
}

void TUdlaanForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    core::guarded([this] {
        support::centreOnScreen(this);
        FormShow();
    });
}

void TUdlaanForm::FormShow()
{
    engine::Table& loans = *data::DM->UdlaanTable;
    const QString tapeNr = data::DM->VideoTable->FieldByName(QStringLiteral("Tapenr")).AsString();
    loans.SetFilter(engine::makeFilter(QStringLiteral("Tapenr"), tapeNr));
    loans.SetFiltered(true);
    if (const UdlaanTexts* texts = udlaanTextsFor(appContext().languageName()))
        applyTexts(*texts);
}

void TUdlaanForm::applyTexts(const UdlaanTexts& texts)
{
    setWindowTitle(QString::fromUtf8(texts.caption));
    SpeedButton5->setText(QString::fromUtf8(texts.showAll));
    DBGrid2->setColumnTitles(commaList(texts.columns));
    DBNavigator3->setHints(commaList(texts.hints));
}

void TUdlaanForm::SpeedButton5Click()
{
    data::DM->UdlaanTable->SetFiltered(false);
}

void TUdlaanForm::keyPressEvent(QKeyEvent* event)
{
    // The window closes by its close box only; Escape belongs to the grid's editing.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    core::guarded([&] { QDialog::keyPressEvent(event); });
}

} // namespace forms
