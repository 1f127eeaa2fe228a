#include "UdlaanForm.h"

#include "AccessibleNames.h"
#include "AppContext.h"
#include "ClosingEdits.h"
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
#include <QLabel>
#include <QLineEdit>
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
    DBGrid2 = design::grid(this, "DBGrid2", {14, 45, 577, 273},
                           {gridColumn(fields::LinkTapeNr, QStringLiteral("Båndnr."), 62),
                            gridColumn(fields::Dato, QString(), 74),
                            gridColumn(fields::Navn, QString(), 122),
                            gridColumn(fields::Telefon, QString(), 82),
                            gridColumn(fields::Returneret, QString(), 68),
                            gridColumn(fields::Forfald, QString(), 74),
                            gridColumn(fields::ReturDato, QStringLiteral("Returdato"), 74)},
                           data::DM->UdlaanSource, true);
    DBGrid2->setInsertColumn(1); // the record rules give a new loan its tape number

    Label1 = design::label(this, "Label1", QStringLiteral("&Stregkode:"), {14, 333});
    ScanEdit = design::control<QLineEdit>(this, "ScanEdit", {110, 328, 160, 24});
    ScanEdit->setMaxLength(64);
    Label1->setBuddy(ScanEdit);
    makeScanField(ScanEdit, [this](const QString& code) { TapeScanned(code); });
    addScanShortcut(this, [this](const QString& code) { TapeScanned(code); });

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

    setTabOrder(DBGrid2, ScanEdit);
    setTabOrder(ScanEdit, DBNavigator3);
    setTabOrder(DBNavigator3, SpeedButton5);

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
        support::keepCentredWhileShowing(this);
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
    ScanEdit->setAccessibleName(nameText(Label1));
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
    const QModelIndex navn = DBGrid2->model()->index(loans.CurrentRow(), navnColumn);
    DBGrid2->setCurrentIndex(navn);
    DBGrid2->setFocus();
    DBGrid2->edit(navn);
}

void TUdlaanForm::reject()
{
    // Escape and the window manager's close both end here; a window that stays visible
    // ignores the close.
    bool mayClose = true;
    core::guarded([&] { mayClose = postBeforeClosing({DBGrid2}, {data::DM->UdlaanTable}); });
    if (mayClose)
        QDialog::reject();
}

void TUdlaanForm::keyPressEvent(QKeyEvent* event)
{
    // Escape reaches the window only when the grid did not use it (no cell being edited, no
    // loan being changed): it closes the window.
    core::guarded([&] { QDialog::keyPressEvent(event); });
}

} // namespace forms
