#include "RegForm.h"

#include "AppContext.h"
#include "BilledForm.h"
#include "ButtonPictures.h"
#include "CastPrompts.h"
#include "Design.h"
#include "GridColumns.h"
#include "TapeCommands.h"
#include "TapeScanner.h"
#include "UdlaanForm.h"
#include "WindowPlacement.h"
#include "core/Dialogs.h"
#include "core/Errors.h"
#include "core/Guard.h"
#include "data/DM.h"
#include "data/Fields.h"
#include "data/TimeText.h"
#include "dbctrls/DBCheckBox.h"
#include "dbctrls/DBDateEdit.h"
#include "dbctrls/DBEdit.h"
#include "dbctrls/DBGrid.h"
#include "dbctrls/DBLookupComboBox.h"
#include "dbctrls/DBMemo.h"
#include "dbctrls/DBRadioGroup.h"
#include "engine/Field.h"
#include "engine/Filter.h"
#include "engine/Table.h"
#include "locale/TQFormLocalizer.h"
#include "locale/TQLanguageSource.h"
#include "support/Alignment.h"
#include "support/FormResizer.h"
#include "support/IndicatorStyle.h"
#include "support/Image.h"
#include "support/JpegLoader.h"
#include "support/WindowSize.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCompleter>
#include <QFileInfo>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QShowEvent>
#include <QStringListModel>
#include <QTimer>
#include <QToolButton>

namespace forms {

namespace fields = data::fields;

TRegForm* RegForm = nullptr;

namespace {

using dbctrls::TDBEdit;
using dbctrls::TDBLookupComboBox;
using design::DataField;

QString text(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

/// A field of the current tape.
DataField tape(const char* field)
{
    return {data::DM->VideoSource, field};
}

const QString kTapeNr = fields::TapeNr;
// Room beyond the check box's own size hint, so its text is never clipped at its edge.
constexpr int kCheckBoxSlack = 6;

} // namespace

TRegForm::TRegForm(QWidget* parent) : QDialog(parent)
{
    QFormLocalizer1 = design::localizer(this, propNames());
    QFormLocalizer1->SetOnLanguageChanged([this](locale::TQCustomLocalizer&) { afterLanguageChange(); });
    design::setUpDialog(this, "RegForm", QStringLiteral("Registrering"));
    design::allowMaximise(this);
    resize(kDesignWidth, kDesignHeight);

    createTapeControls();
    createLookupControls();
    createDetailControls();
    createBrowseControls();
    createCastControls();
    createPictureControls();
    createShelfControls();
    setTabOrders();
    nameControls();
    connectHandlers();

    FormResizer1 = design::formResizer(this);
    FormCreate();
    QFormLocalizer1->Loaded();
    afterLanguageChange();
    // The loans button starts as the shown tape has it (the edit showed it before the handler
    // was connected).
    core::guarded([this] { DBEdit1Change(); });
}

TRegForm::~TRegForm() = default;

QStringList TRegForm::propNames()
{
    return {QStringLiteral("Caption"), QStringLiteral("Columns"), QStringLiteral("Hints"),
            QStringLiteral("Items"),   QStringLiteral("Values"),  QStringLiteral("Hint")};
}

void TRegForm::createTapeControls()
{
    Label1 = design::caption(this, "Label1", text("Reg.nr."), {13, 8});
    DBEdit1 = design::dbEdit(this, "DBEdit1", tape(fields::TapeNr), {13, 25, 88, 24});
    Label19 = design::caption(this, "Label19", text("Type"), {112, 8});
    DBLookupComboBox4 = design::lookupList(this, "DBLookupComboBox4", tape(fields::Type), {data::DM->TypeSource, fields::Type},
                                           {112, 25, 89, 24}, 14);
    Label5 = design::caption(this, "Label5", text("Start"), {213, 7});
    DBEdit4 = design::dbEdit(this, "DBEdit4", tape(fields::Start), {213, 24, 63, 24}, text("Tid format = ttmm \r\nIndtast f.eks. 0130"));
    Label6 = design::caption(this, "Label6", text("Slut"), {287, 7});
    DBEdit5 = design::dbEdit(this, "DBEdit5", tape(fields::Slut), {287, 24, 63, 24}, text("Tid format = ttmm \r\nIndtast f.eks. 0245"));
    // Four digits as the hints ask become a time the duration rule can read.
    DBEdit4->setInputNormalizer(data::normalizeTimeEntry);
    DBEdit5->setInputNormalizer(data::normalizeTimeEntry);
    Label4 = design::caption(this, "Label4", text("Varighed"), {361, 7});
    DBEdit6 = design::dbEdit(this, "DBEdit6", tape(fields::Varighed), {361, 24, 63, 24});
    Label2 = design::caption(this, "Label2", text("Titel"), {13, 54});
    DBEdit3 = design::dbEdit(this, "DBEdit3", tape(fields::Titel), {13, 71, 411, 24});
}

void TRegForm::createLookupControls()
{
    // Each free-text edit lies over its lookup list, 15 pixels narrower, so the list's
    // drop-down button stays visible at its right end.
    Label18 = design::caption(this, "Label18", text("Optaget af"), {14, 97});
    DBLookupComboBox8 = design::lookupList(this, "DBLookupComboBox8", tape(fields::Optagetaf),
                                           {data::DM->OptagetSource, fields::Optagetaf}, {13, 115, 213, 24}, 18);
    DBEdit8 = design::dbEdit(this, "DBEdit8", tape(fields::Optagetaf), {13, 115, 198, 24});
    Label22 = design::caption(this, "Label22", text("Optaget dato"), {252, 97});
    DBDateEdit1 = design::bind(design::control<dbctrls::TDBDateEdit>(this, "DBDateEdit1", {250, 114, 176, 22}),
                               tape(fields::OptagetDato));
    Label17 = design::caption(this, "Label17", text("Instruktør"), {14, 143});
    DBLookupComboBox9 = design::lookupList(this, "DBLookupComboBox9", tape(fields::Instruktor),
                                           {data::DM->InstruktorSource, fields::Instruktor}, {13, 161, 213, 24}, 18);
    DBEdit9 = design::dbEdit(this, "DBEdit9", tape(fields::Instruktor), {13, 161, 198, 24});
    Label3 = design::caption(this, "Label3", text("Kategori/Genre"), {255, 143});
    DBLookupComboBox2 = design::lookupList(this, "DBLookupComboBox2", tape(fields::Kategori), {data::DM->KatSource, fields::Kategori},
                                           {255, 160, 171, 24}, 18);
    DBEdit10 = design::dbEdit(this, "DBEdit10", tape(fields::Kategori), {253, 160, 158, 24});
    // Edit and list are one control: one Tab stop, and what is typed goes into the edit.
    DBLookupComboBox8->setTypingTarget(DBEdit8);
    DBLookupComboBox9->setTypingTarget(DBEdit9);
    DBLookupComboBox2->setTypingTarget(DBEdit10);
}

void TRegForm::createDetailControls()
{
    Label27 = design::caption(this, "Label27", text("Varighed"), {13, 188});
    DBEdit2 = design::dbEdit(this, "DBEdit2", tape(fields::Laengde), {13, 205, 78, 24}, text("Tid format tt:mm"));
    Label28 = design::caption(this, "Label28", text("Fabrikat"), {112, 188});
    DBEdit7 = design::dbEdit(this, "DBEdit7", tape(fields::Fabrikat), {112, 205, 109, 24}, text("Tid format tt:mm"));
    DBRadioGroup1 = design::control<dbctrls::TDBRadioGroup>(this, "DBRadioGroup1", {255, 183, 171, 66});
    DBRadioGroup1->setItems({QStringLiteral("Original"), QStringLiteral("Kopi"), QStringLiteral("Privat optagelse")});
    DBRadioGroup1->setValues({QStringLiteral("Original"), QStringLiteral("Kopi"), QStringLiteral("Privat")});
    design::bind(DBRadioGroup1, tape(fields::Kopi));
    Label7 = design::caption(this, "Label7", text("Kort beskrivelse af indholdet "), {12, 239});
    DBMemo1 = design::bind(design::control<dbctrls::TDBMemo>(this, "DBMemo1", {10, 258, 414, 83}), tape(fields::Indhold));
    Label7->setBuddy(DBMemo1);
}

void TRegForm::createBrowseControls()
{
    DBGrid1 = design::grid(this, "DBGrid1", {443, 30, 553, 218},
                           {gridColumn(fields::LinkTapeNr, QStringLiteral("Båndnr.")),
                            gridColumn(fields::Titel, QString(), 230),
                            gridColumn(fields::Kategori, QString(), 102), gridColumn(fields::Type),
                            gridColumn(fields::Kopi, QStringLiteral("Optagelse"), 76)},
                           data::DM->VideoSource);

    SpeedButton3 = design::button<QToolButton>(this, "SpeedButton3", text("Ny VHS/DVD"), text("Tilføj"), {445, 430, 227, 30});
    design::setBold(SpeedButton3);

    using B = dbctrls::TDBNavigator::Button;
    DBNavigator1 = design::navigator(this, "DBNavigator1", {680, 430, 312, 30},
                                     {QStringLiteral("Første"), QStringLiteral("Forrige"), QStringLiteral("Næste"),
                                      QStringLiteral("Sidste"), QStringLiteral("Tilføj"), QStringLiteral("Slet"),
                                      QStringLiteral("Ret"), QStringLiteral("Gem"), QStringLiteral("Fortryd")},
                                     data::DM->VideoSource);
    DBNavigator1->setVisibleButtons({B::First, B::Prior, B::Next, B::Last, B::Delete, B::Edit, B::Post, B::Cancel});

    DBCheckBox1 = design::control<dbctrls::TDBCheckBox>(this, "DBCheckBox1", {689, 498, 67, 17});
    DBCheckBox1->setText(QStringLiteral("Udlånt"));
    DBCheckBox1->setValueChecked(QStringLiteral("Ja"));
    DBCheckBox1->setValueUnchecked(QStringLiteral("Nej"));
    // Bound after the tape-number edit, so it hears of a move first and the edit last.
    design::bind(DBCheckBox1, tape(fields::Udlaan));

    SpeedButton4 = design::pictureButton(this, "SpeedButton4", text("Udlånt til"), QString(), {767, 490, 229, 30}, lentIcon());
}

void TRegForm::createCastControls()
{
    Label21 = design::caption(this, "Label21", text("Skuespillere/medvirkende"), {12, 345});
    DBGrid4 = design::grid(this, "DBGrid4", {12, 363, 409, 113},
                           {gridColumn(fields::Skuespiller, QString(), 178),
                            gridColumn(fields::Rolle, QString(), 180)},
                           data::DM->MedvirkSource);
    Bevel2 = design::bevel(this, "Bevel2", {12, 485, 409, 40});
    SpeedButton6 = design::button<QToolButton>(this, "SpeedButton6", text("Tilføj"), text("Tilføj medvirkende"), {20, 493, 110, 24});
    SpeedButton7 = design::button<QToolButton>(this, "SpeedButton7", text("Slet"), text("Slet medvirkende"), {159, 493, 110, 24});
    SpeedButton8 = design::button<QToolButton>(this, "SpeedButton8", text("Gem"), text("Gem medvirkende"), {298, 493, 110, 24});
    for (QToolButton* button : {SpeedButton6, SpeedButton7, SpeedButton8})
        button->setCursor(Qt::PointingHandCursor);
    Label29 = design::caption(this, "Label29", text("Hent skuespiller fra databasen"), {443, 477});
    DBLookupComboBox10 = design::lookupList(this, "DBLookupComboBox10", {nullptr, ""},
                                            {data::DM->SkuespilSource, fields::Skuespiller}, {445, 496, 231, 24}, 18);
}

void TRegForm::createPictureControls()
{
    ScrollBox1 = design::pictureFrame(this, "ScrollBox1", {445, 260, 226, 156}, Image1, "Image1");
    SpeedButton1 = design::pictureButton(this, "SpeedButton1", text("Hent"), text("Hent forside billede"),
                                         {680, 260, 76, 22}, folderIcon());
    SpeedButton2 = design::pictureButton(this, "SpeedButton2", text("Hent"), text("Hent bagside billede"),
                                         {680, 295, 76, 22}, folderIcon());
    ScrollBox2 = design::pictureFrame(this, "ScrollBox2", {765, 260, 226, 156}, Image2, "Image2");
    // Each frame says which picture it holds; the picture inside only says what a click does.
    ScrollBox1->setToolTip(text("Forside billede"));
    ScrollBox2->setToolTip(text("Bagside billede"));
    OpenDialog1 = design::named(new QObject(this), "OpenDialog1");
    OpenDialog1->setProperty("Title", QStringLiteral("Covers"));
    OpenDialog1->setProperty("Filter", QStringLiteral("Billeder (*.jpg)|*.jpg"));
    OpenDialog1->setProperty("DefaultExt", QStringLiteral("jpg"));
}

QList<QWidget*> TRegForm::tabOrder() const
{
    // The designed stops, each command button after the stop it belongs to.
    // An edit over its list is one stop: the list opens from the edit (Alt+Down).
    return {DBEdit1,           DBLookupComboBox4, DBEdit4,           DBEdit5,
            DBEdit6,           DBEdit3,           DBEdit8,           DBDateEdit1,
            DBEdit9,           DBEdit10,          DBEdit2,           DBEdit7,           DBRadioGroup1->button(0),
            DBRadioGroup1->button(1), DBRadioGroup1->button(2), DBMemo1, DBLookupComboBox10,
            DBEdit11,          SpeedButton9,      DBEdit12,
            DBGrid1,           DBGrid4,           SpeedButton6,      SpeedButton7,
            SpeedButton8,      SpeedButton3,      DBNavigator1,      DBCheckBox1,
            SpeedButton4,      ScrollBox1,        SpeedButton1,      ScrollBox2,
            SpeedButton2};
}

void TRegForm::createShelfControls()
{
    // The strip above the tape grid is free in the design: the place and the barcode go there,
    // each label before its edit on the edit's line.
    Label30 = design::caption(this, "Label30", text("Placering"), {445, 7});
    DBEdit11 = design::dbEdit(this, "DBEdit11", tape(fields::Placering), {530, 3, 208, 24});
    SpeedButton9 = design::speedButton(this, "SpeedButton9", QString(), {739, 3, 18, 24}, text("Vælg en placering der er brugt før"));
    SpeedButton9->setArrowType(Qt::DownArrow);
    PlaceringList = new QCompleter(new QStringListModel(this), this);
    PlaceringList->setObjectName(QStringLiteral("PlaceringList"));
    PlaceringList->setCaseSensitivity(Qt::CaseInsensitive);
    PlaceringList->setFilterMode(Qt::MatchContains);
    DBEdit11->setCompleter(PlaceringList);
    Label30->setBuddy(DBEdit11);
    Label31 = design::caption(this, "Label31", text("EAN"), {790, 7});
    DBEdit12 = design::dbEdit(this, "DBEdit12", tape(fields::EAN), {860, 3, 136, 24},
                              text("Stregkoden på en købt film: 13 cifre (UPC-A 12)"));
    DBEdit12->setMaxLength(13);
    Label31->setBuddy(DBEdit12);
}

void TRegForm::refreshPlaces()
{
    static_cast<QStringListModel*>(PlaceringList->model())->setStringList(data::DM->usedValues(fields::Placering));
}

void TRegForm::setTabOrders()
{
    const QList<QWidget*> order = tabOrder();
    for (int i = 1; i < order.size(); ++i)
        setTabOrder(order.at(i - 1), order.at(i));
}

void TRegForm::nameControls()
{
    // A label names the control it stands over; one over an edit and its list names the list too.
    const std::pair<QLabel*, QWidget*> buddies[] = {
        {Label1, DBEdit1},   {Label19, DBLookupComboBox4}, {Label5, DBEdit4},  {Label6, DBEdit5},
        {Label4, DBEdit6},   {Label2, DBEdit3},            {Label18, DBEdit8}, {Label22, DBDateEdit1},
        {Label17, DBEdit9},  {Label3, DBEdit10},           {Label27, DBEdit2}, {Label28, DBEdit7},
        {Label29, DBLookupComboBox10}};
    for (const auto& [label, control] : buddies)
        label->setBuddy(control);
    names_.add(DBLookupComboBox8, Label18);
    names_.add(DBLookupComboBox9, Label17);
    names_.add(DBLookupComboBox2, Label3);
    // A grid's screen-reader name does not come from a buddy label.
    names_.add(DBGrid1, this);
    names_.add(DBGrid4, Label21);
    names_.add(ScrollBox1, ScrollBox1);
    names_.add(ScrollBox2, ScrollBox2);
    // Both buttons read "Hent": their hints say which picture they fetch.
    names_.add(SpeedButton1, SpeedButton1);
    names_.add(SpeedButton2, SpeedButton2);
    // Enter or Space on a picture frame shows the picture larger, as a click on it does.
    ScrollBox1->installEventFilter(this);
    ScrollBox2->installEventFilter(this);
    support::scaleIndicatorsWithFont(this);
}

bool TRegForm::eventFilter(QObject* watched, QEvent* event)
{
    if ((watched == ScrollBox1 || watched == ScrollBox2) && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
            core::guarded([&] { watched == ScrollBox1 ? Image1Click() : Image2Click(); });
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TRegForm::connectHandlers()
{
    const auto on = [this](auto* sender, auto signal, void (TRegForm::*handler)()) {
        core::connectGuarded(sender, signal, this, handler);
    };
    on(DBEdit1, &QLineEdit::textChanged, &TRegForm::DBEdit1Change);
    on(DBCheckBox1, &dbctrls::TDBCheckBox::clickedOrChanged, &TRegForm::DBCheckBox1Click);
    on(SpeedButton3, &QAbstractButton::clicked, &TRegForm::SpeedButton3Click);
    on(DBEdit5, &TDBEdit::exited, &TRegForm::DBEdit5Exit);
    on(SpeedButton4, &QAbstractButton::clicked, &TRegForm::SpeedButton4Click);
    on(DBGrid1, &dbctrls::TDBGrid::cellClicked, &TRegForm::DBGrid1CellClick);
    on(SpeedButton6, &QAbstractButton::clicked, &TRegForm::SpeedButton6Click);
    on(SpeedButton7, &QAbstractButton::clicked, &TRegForm::SpeedButton7Click);
    on(SpeedButton8, &QAbstractButton::clicked, &TRegForm::SpeedButton8Click);
    on(SpeedButton1, &QAbstractButton::clicked, &TRegForm::SpeedButton1Click);
    on(SpeedButton2, &QAbstractButton::clicked, &TRegForm::SpeedButton2Click);
    on(Image1, &support::TImage::clicked, &TRegForm::Image1Click);
    on(Image2, &support::TImage::clicked, &TRegForm::Image2Click);
    on(SpeedButton9, &QAbstractButton::clicked, &TRegForm::SpeedButton9Click);
    core::connectGuarded(PlaceringList, qOverload<const QString&>(&QCompleter::activated), this,
                         &TRegForm::PlaceringListChoose);
    core::connectGuarded(DBNavigator1, &dbctrls::TDBNavigator::clicked, this, &TRegForm::DBNavigator1Click);
    core::connectGuarded(DBLookupComboBox10, &TDBLookupComboBox::chosen, this, &TRegForm::DBLookupComboBox10Click);
    TapeScanner1 = design::named(new TapeScanner(this), "TapeScanner1");
    core::connectGuarded(TapeScanner1, &TapeScanner::scanned, this, &TRegForm::TapeScanned);
    addScanShortcut(this, [this](const QString& code) { TapeScanned(code); });
}

void TRegForm::TapeScanned(const QString& code)
{
    engine::Table& video = *data::DM->VideoTable;
    if (video.Editing())
        video.Post();
    if (!goToTape(*data::DM, code))
        core::dialogs().message(unknownTapeText(code));
}

void TRegForm::afterLanguageChange()
{
    // The localizer sets every control's reading direction; these two show their picture at
    // the right of the text, which a right-to-left button does.
    SpeedButton2->setLayoutDirection(Qt::RightToLeft);
    SpeedButton4->setLayoutDirection(Qt::RightToLeft);
    names_.apply();
    // The arrow button has no text of its own; a screen reader reads its hint.
    SpeedButton9->setAccessibleName(SpeedButton9->toolTip());
    fitTexts();
}

void TRegForm::fitTexts()
{
    // Labels size themselves to their text, a translated one too; the check box gets the room
    // its box and text need.
    for (QLabel* label : findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly))
        label->adjustSize();
    const int needed = DBCheckBox1->sizeHint().width() + kCheckBoxSlack;
    if (DBCheckBox1->width() < needed)
        DBCheckBox1->resize(needed, DBCheckBox1->height());
}

// --- Window ---------------------------------------------------------------------------------

void TRegForm::FormCreate()
{
    FormResizer1->RecordLayout();
    // The pictures keep their natural size; only their frames scale.
    for (const auto& record : FormResizer1->records())
        if (record->control == Image1 || record->control == Image2)
            record->scaleHeight = record->scaleWidth = record->scaleLeft = record->scaleTop = false;
}

void TRegForm::FormResize()
{
    FormResizer1->ResizeControls();
    support::realign(this);
    fitTexts();
}

void TRegForm::FormShow()
{
    const QSize stored(data::DM->configInteger(QStringLiteral("W_Reg")), data::DM->configInteger(QStringLiteral("H_Reg")));
    restoreOuterSize(this, stored, {kDesignWidth, kDesignHeight}, {kMinimumWidth, kMinimumHeight});
    refreshPlaces();
    // The keyboard starts on the first stop, whichever way the window was opened, but for a scan.
    QWidget* first = startOnNavigator_ ? static_cast<QWidget*>(DBNavigator1) : DBEdit1;
    startOnNavigator_ = false;
    first->setFocus(Qt::OtherFocusReason);
    Billede();
}

bool TRegForm::FormClose()
{
    // A failed write of the size is reported and the window closes all the same.
    core::guarded([this] {
        const QSize outer = support::outerSize(this);
        data::DM->storeConfig({{QStringLiteral("H_Reg"), outer.height()}, {QStringLiteral("W_Reg"), outer.width()}});
    });
    if (DBEdit1->text().isEmpty() || DBEdit3->text().isEmpty())
        return true;
    // A role typed into the cast grid is posted too, first, so it is not lost. A refused post
    // keeps the window open with the record as it was.
    return core::guarded([] {
        for (engine::Table* table : {data::DM->MedvirkTable, data::DM->VideoTable, data::DM->KatTable,
                                     data::DM->UdlaanTable})
            if (table->Editing())
                table->Post();
    });
}

void TRegForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        core::guarded([this] { FormShow(); });
}

void TRegForm::closeEvent(QCloseEvent* event)
{
    bool mayClose = true;
    core::guarded([&] { mayClose = FormClose(); });
    if (!mayClose) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void TRegForm::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    core::guarded([this] { FormResize(); });
}

void TRegForm::keyPressEvent(QKeyEvent* event)
{
    // The window closes by its close box only, so its closing step always runs.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    core::guarded([&] { QDialog::keyPressEvent(event); });
}

// --- Tape ------------------------------------------------------------------------------------

QString TRegForm::currentTapeNr() const
{
    return data::DM->VideoTable->FieldByName(kTapeNr).AsString();
}

void TRegForm::DBEdit1Change()
{
    engine::Table& video = *data::DM->VideoTable;
    const bool lent = video.Active() && video.FieldByName(fields::Udlaan).AsString() == QLatin1String("Ja");
    SpeedButton4->setEnabled(lent);
}

void TRegForm::DBCheckBox1Click()
{
    SpeedButton4->setEnabled(true);
}

void TRegForm::SpeedButton3Click()
{
    SpeedButton4->setEnabled(true);
    data::DM->insertNewTape();
    DBEdit4->setFocus(Qt::OtherFocusReason);
}

void TRegForm::DBEdit5Exit()
{
    const QString start = data::normalizeTimeEntry(DBEdit4->text());
    const QString end = data::normalizeTimeEntry(DBEdit5->text());
    if (!start.isEmpty() && !end.isEmpty()) {
        const QString duration = data::durationText(start, end);
        engine::Field& field = data::DM->VideoTable->FieldByName(fields::Varighed);
        if (field.AsString() != duration)
            field.SetAsString(duration);
    }
    // Shift+Tab back to the start time goes there: the jump must not trap the keyboard. It waits
    // until the focus has arrived, so a screen reader says the title last, not the duration.
    const QPointer<QWidget> arrived = QApplication::focusWidget();
    if (arrived != DBEdit4)
        QTimer::singleShot(0, this, [this, arrived] {
            if (QApplication::focusWidget() == arrived)
                DBEdit3->setFocus(Qt::OtherFocusReason);
        });
}

void TRegForm::SpeedButton4Click()
{
    engine::Table& video = *data::DM->VideoTable;
    if (video.Editing())
        video.Post();
    {
        TUdlaanForm loans(this);
        loans.exec();
    }
    engine::Table& udlaan = *data::DM->UdlaanTable;
    udlaan.SetFilter(engine::makeFilter(kTapeNr, currentTapeNr()));
    udlaan.SetFiltered(true);
}

void TRegForm::DBNavigator1Click(dbctrls::TDBNavigator::Button button)
{
    using B = dbctrls::TDBNavigator::Button;
    if (button == B::First || button == B::Prior || button == B::Next || button == B::Last || button == B::Cancel)
        Billede();
}

void TRegForm::DBGrid1CellClick()
{
    Billede();
}

// --- Cast ------------------------------------------------------------------------------------

void TRegForm::addCastMember(const QString& name, const QString& role)
{
    // Inserting posts a tape still being edited first (the data module's rule); when that post
    // is refused the insert throws and nothing is added.
    engine::Table& cast = *data::DM->MedvirkTable;
    cast.Insert();
    cast.FieldByName(fields::Skuespiller).SetAsString(name);
    cast.FieldByName(fields::Rolle).SetAsString(role);
    cast.Post();
}

void TRegForm::SpeedButton6Click()
{
    const CastPrompts& prompts = castPrompts(appContext().activeLanguage());
    const QString name = core::dialogs().input(prompts.nameCaption, prompts.namePrompt, QString()).value_or(QString());
    if (name.isEmpty())
        return;
    const QString role = core::dialogs().input(prompts.roleCaption, prompts.rolePrompt, QString()).value_or(QString());
    addCastMember(name, role);
}

void TRegForm::SpeedButton7Click()
{
    const CastPrompts& prompts = castPrompts(appContext().activeLanguage());
    engine::Table& cast = *data::DM->MedvirkTable;
    const QString question =
        prompts.deletePrefix + cast.FieldByName(fields::Skuespiller).AsString() + QLatin1Char('?');
    if (core::dialogs().confirm(question, core::ConfirmButtons::YesNo))
        cast.Delete();
}

void TRegForm::SpeedButton8Click()
{
    engine::Table& cast = *data::DM->MedvirkTable;
    if (cast.Editing())
        cast.Post();
}

void TRegForm::DBLookupComboBox10Click(const QString& name)
{
    const CastPrompts& prompts = castPrompts(appContext().activeLanguage());
    const QString role =
        core::dialogs().input(prompts.chosenCaption, prompts.chosenPrefix + name, QString()).value_or(QString());
    addCastMember(name, role);
}

// --- Shelf -----------------------------------------------------------------------------------

void TRegForm::SpeedButton9Click()
{
    refreshPlaces();
    DBEdit11->setFocus(Qt::OtherFocusReason);
    PlaceringList->setCompletionPrefix(QString());
    PlaceringList->complete();
}

void TRegForm::PlaceringListChoose(const QString& place)
{
    // Written to the field, not only the edit, so that choosing counts as an edit of the tape.
    engine::Table& video = *data::DM->VideoTable;
    if (!video.Editing())
        video.Edit();
    video.FieldByName(fields::Placering).SetAsString(place);
}

// --- Cover pictures --------------------------------------------------------------------------

void TRegForm::Billede()
{
    const int language = appContext().activeLanguage();
    const QString tapeNr = currentTapeNr();
    // A placeholder that cannot be loaded throws, which skips the rest of the refresh.
    Image1->setPicture(coverOrPlaceholder(CoverSide::Front, tapeNr, language));
    Image2->setPicture(coverOrPlaceholder(CoverSide::Back, tapeNr, language));
}

void TRegForm::fetchPicture(CoverSide side, support::TImage* image)
{
    // Checked before the user picks a file: a number that cannot name one gets nothing copied.
    const QString tapeNr = currentTapeNr();
    if (const QString problem = tapeNrProblem(tapeNr); !problem.isEmpty())
        throw core::EInOutError(problem);
    const std::optional<QString> chosen =
        core::dialogs().openFile(OpenDialog1->property("Title").toString(), OpenDialog1->property("Filter").toString(),
                                 OpenDialog1->property("DefaultExt").toString());
    if (!chosen)
        return;
    const QString failure = copyCover(*chosen, side, tapeNr);
    const QString target = coverPath(side, tapeNr);
    if (!failure.isEmpty()) {
        // Said, not passed over: an earlier picture of that name would look like the new one.
        core::reportError(QStringLiteral("Billedet kunne ikke kopieres til %1: %2").arg(target, failure));
        if (!QFileInfo::exists(target))
            return;
    }
    image->setPicture(support::loadJpegFileOrThrow(target));
}

void TRegForm::SpeedButton1Click()
{
    fetchPicture(CoverSide::Front, Image1);
}

void TRegForm::SpeedButton2Click()
{
    fetchPicture(CoverSide::Back, Image2);
}

void TRegForm::showEnlarged(CoverSide side)
{
    TBilledForm enlarged(this);
    enlarged.setWindowTitle(data::DM->VideoTable->FieldByName(fields::Titel).AsString());
    enlarged.Image1->setPicture(coverOrPlaceholder(side, currentTapeNr(), appContext().activeLanguage()));
    enlarged.exec();
}

void TRegForm::Image1Click()
{
    showEnlarged(CoverSide::Front);
}

void TRegForm::Image2Click()
{
    showEnlarged(CoverSide::Back);
}

} // namespace forms
