#include "UdlaanForm.h"

#include "AppContext.h"
#include "Design.h"
#include "GridColumns.h"
#include "TapeCommands.h"
#include "TapeScanner.h"
#include "WindowPlacement.h"
#include "core/Dialogs.h"
#include "core/Guard.h"
#include "data/DM.h"
#include "data/Fields.h"
#include "dbctrls/DBGrid.h"
#include "dbctrls/DBNavigator.h"
#include "dbctrls/DBText.h"
#include "engine/Field.h"
#include "engine/Filter.h"
#include "engine/Table.h"
#include "locale/Languages.h"
#include "locale/TQFormLocalizer.h"
#include "locale/TQLanguageSource.h"
#include "support/WindowSize.h"

#include <QKeyEvent>
#include <QShowEvent>
#include <QToolButton>

namespace forms {

namespace fields = data::fields;

namespace {

const locale::PerLanguage<UdlaanTexts> kTexts = {
    UdlaanTexts{"Udlån", "Vis alle", "Båndnr.,Dato,Navn,Telefon", "Første,Forrige,Næste,Sidste,Tilføj,Slet,Ret,Gem,Fortryd"},
    UdlaanTexts{"Borrowed", "Show all", "Tape no.,Date,Name,Telephone", "First,Prior,Next,Last,Add,Erase,Edit,Save,Cancel"},
    UdlaanTexts{"Udlån", "Vis alle", "Båndnr.,Dato,Navn,Telefon", "Første,Forrige,Neste,Siste,Tilføy,Fjern,Ret,Gem,Fortryd"},
    UdlaanTexts{"Udlån", "Vis alle", "Båndnr.,Dato,Navn,Telefon",
                "Första,Förre,Nästa,Sidsta,Lägg till,Slet,Ret,Spare,Fortryd"},
    UdlaanTexts{"Verliehene", "Alle anzeigen", "Bandnummer,Datum,Nahme,Telefon",
                "Erste,Vorige,Nächste,Letzte,Hinzufügen,Löeschen,Redigieren,Spechern,Bereuen"},
};

QStringList commaList(const char* text)
{
    return QString::fromUtf8(text).split(QLatin1Char(','));
}

} // namespace

const UdlaanTexts* udlaanTextsFor(const QString& languageName)
{
    const std::optional<int> index = locale::languageIndexOfName(languageName);
    return index ? kTexts.find(*index) : nullptr;
}

TUdlaanForm::TUdlaanForm(QWidget* parent) : QDialog(parent)
{
    QFormLocalizer1 = design::localizer(this, propNames());
    design::setUpDialog(this, "UdlaanForm", QStringLiteral("Udlån"));

    DBText2 = design::control<dbctrls::TDBText>(this, "DBText2", {22, 13, 561, 24});
    DBText2->setAlignment(Qt::AlignCenter);
    DBText2->setFont(design::font(14));
    design::setTextColor(DBText2, QColor(0, 0, 128));
    design::bind(DBText2, {data::DM->VideoSource, fields::Titel});

    // Widths that let a name, a telephone number, the due and return dates and every
    // language's titles show without scrolling sideways.
    DBGrid2 = design::grid(this, "DBGrid2", {14, 45, 577, 305},
                           {gridColumn(fields::LinkTapeNr, QStringLiteral("Båndnr."), 62),
                            gridColumn(fields::Dato, QString(), 74),
                            gridColumn(fields::Navn, QString(), 122),
                            gridColumn(fields::Telefon, QString(), 82),
                            gridColumn(fields::Returneret, QString(), 68),
                            gridColumn(fields::Forfald, QString(), 74),
                            gridColumn(fields::ReturDato, QStringLiteral("Returdato"), 74)},
                           data::DM->UdlaanSource, true);

    DBNavigator3 = design::navigator(this, "DBNavigator3", {15, 365, 487, 33},
                                     {QStringLiteral("Første"), QStringLiteral("Forrige"), QStringLiteral("Næste"),
                                      QStringLiteral("Sidste"), QStringLiteral("Nyt udlån"), QStringLiteral("Slet udlån"),
                                      QStringLiteral("Ret udlån"), QStringLiteral("Gem udlån"),
                                      QStringLiteral("Fortryd udlån")},
                                     data::DM->UdlaanSource);
    DBNavigator3->setCursor(Qt::PointingHandCursor);

    // Wider than designed (and the navigator narrower), so the German "Alle anzeigen" fits.
    SpeedButton5 = design::speedButton(this, "SpeedButton5", QStringLiteral("&Vis alle"), {510, 364, 81, 33}, QString());
    design::setBold(SpeedButton5);
    core::connectGuarded(SpeedButton5, &QToolButton::clicked, this, &TUdlaanForm::SpeedButton5Click);

    // The grid starts editing on any key; only the scanner's fast keys are the scanner's.
    TapeScanner1 = design::named(new TapeScanner(DBGrid2, TapeScanner::Mode::Fast), "TapeScanner1");
    core::connectGuarded(TapeScanner1, &TapeScanner::scanned, this, &TUdlaanForm::TapeScanned);

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
    const QString tapeNr = data::DM->VideoTable->FieldByName(fields::LinkTapeNr).AsString();
    loans.SetFilter(engine::makeFilter(fields::LinkTapeNr, tapeNr));
    loans.SetFiltered(true);
    if (const UdlaanTexts* texts = udlaanTextsFor(appContext().languageName()))
        applyTexts(*texts);
    DBGrid2->setAccessibleName(windowTitle()); // a grid takes no buddy
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

void TUdlaanForm::TapeScanned(const QString& code)
{
    if (!goToTape(*data::DM, code)) {
        core::dialogs().message(unknownTapeText(code));
        return;
    }
    engine::Table& loans = *data::DM->UdlaanTable;
    const QString tapeNr = data::DM->VideoTable->FieldByName(fields::LinkTapeNr).AsString();
    loans.SetFilter(engine::makeFilter(fields::LinkTapeNr, tapeNr));
    loans.SetFiltered(true);
    loans.Insert();
    // The borrower's name is what the user types next (the columns: Båndnr., Dato, Navn, ...).
    constexpr int navnColumn = 2;
    DBGrid2->setCurrentIndex(DBGrid2->model()->index(loans.CurrentRow(), navnColumn));
    DBGrid2->setFocus();
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
