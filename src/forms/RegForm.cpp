#include "RegForm.h"

#include "AppContext.h"
#include "BilledForm.h"
#include "ButtonPictures.h"
#include "CastPrompts.h"
#include "GridColumns.h"
#include "TapeCommands.h"
#include "UdlaanForm.h"
#include "WindowPlacement.h"
#include "core/Dialogs.h"
#include "core/Errors.h"
#include "core/Guard.h"
#include "data/DM.h"
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
#include "support/Image.h"
#include "support/JpegLoader.h"
#include "support/WindowSize.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QShowEvent>
#include <QToolButton>

namespace forms {

TRegForm* RegForm = nullptr;

namespace {

using dbctrls::TDBEdit;
using dbctrls::TDBLookupComboBox;

template <typename T>
T* named(T* widget, const char* name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QString text(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

QLabel* makeLabel(QWidget* parent, const char* name, const char* caption, int left, int top)
{
    auto* label = named(new QLabel(text(caption), parent), name);
    label->move(left, top);
    label->adjustSize();
    return label;
}

TDBEdit* makeEdit(QWidget* parent, const char* name, const char* field, const QRect& bounds, const char* hint = "")
{
    auto* edit = named(new TDBEdit(parent), name);
    edit->setGeometry(bounds);
    edit->setToolTip(text(hint));
    edit->setDataSource(data::DM->VideoSource);
    edit->setDataField(QLatin1String(field));
    return edit;
}

/// A lookup list bound to a tape field (or unbound when field is empty) over one lookup table.
TDBLookupComboBox* makeLookup(QWidget* parent, const char* name, const char* field, engine::DataSource* list,
                              const char* listField, const QRect& bounds, int rows)
{
    auto* box = named(new TDBLookupComboBox(parent), name);
    box->setGeometry(bounds);
    if (*field) {
        box->setDataSource(data::DM->VideoSource);
        box->setDataField(QLatin1String(field));
    }
    box->setListSource(list);
    box->setKeyField(QLatin1String(listField));
    box->setListField(QLatin1String(listField));
    box->setDropDownRows(rows);
    return box;
}

template <typename Button = QToolButton>
Button* makeButton(QWidget* parent, const char* name, const char* caption, const char* hint, const QRect& bounds)
{
    auto* button = named(new Button(parent), name);
    button->setText(text(caption));
    button->setToolTip(text(hint));
    button->setGeometry(bounds);
    // Speed buttons never take the focus: an edit being typed into keeps its pending text.
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

/// A button with a picture beside its text, the two centred together.
QPushButton* makePictureButton(QWidget* parent, const char* name, const char* caption, const char* hint,
                               const QRect& bounds, const QIcon& icon)
{
    auto* button = makeButton<QPushButton>(parent, name, caption, hint, bounds);
    button->setIcon(icon);
    // Enter in an edit must not press it.
    button->setAutoDefault(false);
    return button;
}

QScrollArea* makePictureFrame(QWidget* parent, const char* name, const QRect& bounds, support::TImage*& image,
                              const char* imageName)
{
    auto* frame = named(new QScrollArea(parent), name);
    frame->setGeometry(bounds);
    // No border inside the frame: a picture as large as the frame (the placeholders) fits whole.
    frame->setFrameShape(QFrame::NoFrame);
    frame->setWidgetResizable(false);
    frame->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    frame->setFocusPolicy(Qt::StrongFocus);
    image = named(new support::TImage, imageName);
    image->setAutoSize(true);
    image->setCursor(Qt::PointingHandCursor);
    image->setToolTip(QStringLiteral("Klik for større billede"));
    frame->setWidget(image);
    return frame;
}

const QString kTapeNr = QStringLiteral("TapeNr");
// Room beyond the check box's own size hint, so its text is never clipped at its edge.
constexpr int kCheckBoxSlack = 6;

} // namespace

TRegForm::TRegForm(QWidget* parent) : QDialog(parent)
{
    QFormLocalizer1 = new locale::TQFormLocalizer(this);
    QFormLocalizer1->setObjectName(QStringLiteral("QFormLocalizer1"));
    QFormLocalizer1->SetPropNames(propNames());
    QFormLocalizer1->SetSource(appContext().languageSource);
    QFormLocalizer1->SetOnLanguageChanged([this](locale::TQCustomLocalizer&) { afterLanguageChange(); });

    setObjectName(QStringLiteral("RegForm"));
    setWindowTitle(QStringLiteral("Registrering"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFont(QFont(QStringLiteral("Liberation Sans"), 8));
    resize(kDesignWidth, kDesignHeight);

    createTapeControls();
    createLookupControls();
    createDetailControls();
    createBrowseControls();
    createCastControls();
    createPictureControls();
    setTabOrders();
    connectHandlers();

    FormResizer1 = new support::TFormResizer(this);
    FormResizer1->setObjectName(QStringLiteral("FormResizer1"));
    FormResizer1->setResizeFonts(true);
    FormResizer1->setMinFontSize(8);
    FormResizer1->setMaxFontSize(48);
    FormCreate();
    QFormLocalizer1->Loaded();
    afterLanguageChange();
    // The loans button starts as the shown tape has it (the edit showed it before the handler
    // was connected).
    core::guarded([this] { DBEdit1Change(); });
}

TRegForm::~TRegForm()
{
    if (RegForm == this)
        RegForm = nullptr;
}

QStringList TRegForm::propNames()
{
    return {QStringLiteral("Caption"), QStringLiteral("Columns"), QStringLiteral("Hints"),
            QStringLiteral("Items"),   QStringLiteral("Values"),  QStringLiteral("Hint")};
}

void TRegForm::createTapeControls()
{
    Label1 = makeLabel(this, "Label1", "Reg.nr.", 13, 8);
    DBEdit1 = makeEdit(this, "DBEdit1", "TapeNr", {13, 25, 88, 24});
    Label19 = makeLabel(this, "Label19", "Type", 112, 8);
    DBLookupComboBox4 = makeLookup(this, "DBLookupComboBox4", "Type", data::DM->TypeSource, "Type", {112, 25, 89, 24}, 14);
    Label5 = makeLabel(this, "Label5", "Start", 213, 7);
    DBEdit4 = makeEdit(this, "DBEdit4", "Start", {213, 24, 63, 24}, "Tid format = ttmm \r\nIndtast f.eks. 0130");
    Label6 = makeLabel(this, "Label6", "Slut", 287, 7);
    DBEdit5 = makeEdit(this, "DBEdit5", "Slut", {287, 24, 63, 24}, "Tid format = ttmm \r\nIndtast f.eks. 0245");
    // Four digits as the hints ask become a time the duration rule can read.
    DBEdit1->setFieldWidth(data::kTapeNumberWidth);
    DBEdit4->setInputNormalizer(data::normaliseTimeEntry);
    DBEdit5->setInputNormalizer(data::normaliseTimeEntry);
    Label4 = makeLabel(this, "Label4", "Varighed", 361, 7);
    DBEdit6 = makeEdit(this, "DBEdit6", "Varighed", {361, 24, 63, 24});
    Label2 = makeLabel(this, "Label2", "Titel", 13, 54);
    DBEdit3 = makeEdit(this, "DBEdit3", "Titel", {13, 71, 411, 24});
}

void TRegForm::createLookupControls()
{
    // Each free-text edit lies over its lookup list, 15 pixels narrower, so the list's
    // drop-down button stays visible at its right end.
    Label18 = makeLabel(this, "Label18", "Optaget af", 14, 97);
    DBLookupComboBox8 =
        makeLookup(this, "DBLookupComboBox8", "Optagetaf", data::DM->OptagetSource, "Optagetaf", {13, 115, 213, 24}, 18);
    DBEdit8 = makeEdit(this, "DBEdit8", "Optagetaf", {13, 115, 198, 24});
    Label22 = makeLabel(this, "Label22", "Optaget dato", 252, 97);
    DBDateEdit1 = named(new dbctrls::TDBDateEdit(this), "DBDateEdit1");
    DBDateEdit1->setGeometry(250, 114, 176, 22);
    DBDateEdit1->setDataSource(data::DM->VideoSource);
    DBDateEdit1->setDataField(QStringLiteral("OptagetDato"));
    Label17 = makeLabel(this, "Label17", "Instruktør", 14, 143);
    DBLookupComboBox9 = makeLookup(this, "DBLookupComboBox9", "Instruktor", data::DM->InstruktorSource, "Instruktor",
                                   {13, 161, 213, 24}, 18);
    DBEdit9 = makeEdit(this, "DBEdit9", "Instruktor", {13, 161, 198, 24});
    Label3 = makeLabel(this, "Label3", "Kategori/Genre", 255, 143);
    DBLookupComboBox2 =
        makeLookup(this, "DBLookupComboBox2", "Kategori", data::DM->KatSource, "Kategori", {255, 160, 171, 24}, 18);
    DBEdit10 = makeEdit(this, "DBEdit10", "Kategori", {253, 160, 158, 24});
}

void TRegForm::createDetailControls()
{
    Label27 = makeLabel(this, "Label27", "Varighed", 13, 188);
    DBEdit2 = makeEdit(this, "DBEdit2", "Laengde", {13, 205, 78, 24}, "Tid format tt:mm");
    Label28 = makeLabel(this, "Label28", "Fabrikat", 112, 188);
    DBEdit7 = makeEdit(this, "DBEdit7", "Fabrikat", {112, 205, 109, 24}, "Tid format tt:mm");
    DBRadioGroup1 = named(new dbctrls::TDBRadioGroup(this), "DBRadioGroup1");
    DBRadioGroup1->setGeometry(255, 183, 171, 66);
    DBRadioGroup1->setItems({QStringLiteral("Original"), QStringLiteral("Kopi"), QStringLiteral("Privat optagelse")});
    DBRadioGroup1->setValues({QStringLiteral("Original"), QStringLiteral("Kopi"), QStringLiteral("Privat")});
    DBRadioGroup1->setDataSource(data::DM->VideoSource);
    DBRadioGroup1->setDataField(QStringLiteral("Kopi"));
    Label7 = makeLabel(this, "Label7", "Kort beskrivelse af indholdet ", 12, 239);
    DBMemo1 = named(new dbctrls::TDBMemo(this), "DBMemo1");
    DBMemo1->setGeometry(10, 258, 414, 83);
    DBMemo1->setDataSource(data::DM->VideoSource);
    DBMemo1->setDataField(QStringLiteral("Indhold"));
    Label7->setBuddy(DBMemo1);
}

void TRegForm::createBrowseControls()
{
    DBGrid1 = named(new dbctrls::TDBGrid(this), "DBGrid1");
    DBGrid1->setGeometry(443, 30, 553, 218);
    DBGrid1->setColumns({gridColumn(QStringLiteral("Tapenr"), QStringLiteral("Båndnr.")),
                         gridColumn(QStringLiteral("Titel"), QString(), 230),
                         gridColumn(QStringLiteral("Kategori"), QString(), 102), gridColumn(QStringLiteral("Type")),
                         gridColumn(QStringLiteral("Kopi"), QStringLiteral("Optagelse"), 76)});
    DBGrid1->setDataSource(data::DM->VideoSource);

    SpeedButton3 = makeButton(this, "SpeedButton3", "Ny VHS/DVD", "Tilføj", {445, 430, 227, 30});
    QFont bold = SpeedButton3->font();
    bold.setBold(true);
    SpeedButton3->setFont(bold);

    using B = dbctrls::TDBNavigator::Button;
    DBNavigator1 = named(new dbctrls::TDBNavigator(this), "DBNavigator1");
    DBNavigator1->setGeometry(680, 430, 312, 30);
    DBNavigator1->setVisibleButtons({B::First, B::Prior, B::Next, B::Last, B::Delete, B::Edit, B::Post, B::Cancel});
    DBNavigator1->setHints({QStringLiteral("Første"), QStringLiteral("Forrige"), QStringLiteral("Næste"),
                            QStringLiteral("Sidste"), QStringLiteral("Tilføj"), QStringLiteral("Slet"),
                            QStringLiteral("Ret"), QStringLiteral("Gem"), QStringLiteral("Fortryd")});
    DBNavigator1->setDataSource(data::DM->VideoSource);

    DBCheckBox1 = named(new dbctrls::TDBCheckBox(this), "DBCheckBox1");
    DBCheckBox1->setText(QStringLiteral("Udlånt"));
    DBCheckBox1->setGeometry(689, 498, 67, 17);
    DBCheckBox1->setValueChecked(QStringLiteral("Ja"));
    DBCheckBox1->setValueUnchecked(QStringLiteral("Nej"));
    // Bound after the tape-number edit, so it hears of a move first and the edit last.
    DBCheckBox1->setDataSource(data::DM->VideoSource);
    DBCheckBox1->setDataField(QStringLiteral("Udlaan"));

    SpeedButton4 = makePictureButton(this, "SpeedButton4", "Udlånt til", "", {767, 490, 229, 30}, lentIcon());
}

void TRegForm::createCastControls()
{
    Label21 = makeLabel(this, "Label21", "Skuespillere/medvirkende", 12, 345);
    DBGrid4 = named(new dbctrls::TDBGrid(this), "DBGrid4");
    DBGrid4->setGeometry(12, 363, 409, 113);
    DBGrid4->setColumns(
        {gridColumn(QStringLiteral("Skuespiller"), QString(), 178), gridColumn(QStringLiteral("Rolle"), QString(), 180)});
    DBGrid4->setDataSource(data::DM->MedvirkSource);
    Bevel2 = named(new QFrame(this), "Bevel2");
    Bevel2->setFrameShape(QFrame::Box);
    Bevel2->setFrameShadow(QFrame::Sunken);
    Bevel2->setGeometry(12, 485, 409, 40);
    SpeedButton6 = makeButton(this, "SpeedButton6", "Tilføj", "Tilføj medvirkende", {20, 493, 110, 24});
    SpeedButton7 = makeButton(this, "SpeedButton7", "Slet", "Slet medvirkende", {159, 493, 110, 24});
    SpeedButton8 = makeButton(this, "SpeedButton8", "Gem", "Gem medvirkende", {298, 493, 110, 24});
    for (QToolButton* button : {SpeedButton6, SpeedButton7, SpeedButton8})
        button->setCursor(Qt::PointingHandCursor);
    Label29 = makeLabel(this, "Label29", "Hent skuespiller fra databasen", 443, 477);
    DBLookupComboBox10 =
        makeLookup(this, "DBLookupComboBox10", "", data::DM->SkuespilSource, "Skuespiller", {445, 496, 231, 24}, 18);
}

void TRegForm::createPictureControls()
{
    ScrollBox1 = makePictureFrame(this, "ScrollBox1", {445, 260, 226, 156}, Image1, "Image1");
    SpeedButton1 = makePictureButton(this, "SpeedButton1", "Hent", "Hent forside billede", {680, 260, 76, 22}, folderIcon());
    SpeedButton2 = makePictureButton(this, "SpeedButton2", "Hent", "Hent bagside billede", {680, 295, 76, 22}, folderIcon());
    ScrollBox2 = makePictureFrame(this, "ScrollBox2", {765, 260, 226, 156}, Image2, "Image2");
    OpenDialog1 = new QObject(this);
    OpenDialog1->setObjectName(QStringLiteral("OpenDialog1"));
    OpenDialog1->setProperty("Title", QStringLiteral("Covers"));
    OpenDialog1->setProperty("Filter", QStringLiteral("Billeder (*.jpg)|*.jpg"));
    OpenDialog1->setProperty("DefaultExt", QStringLiteral("jpg"));
}

void TRegForm::setTabOrders()
{
    const QList<QWidget*> order = {
        DBEdit1,  DBLookupComboBox4, DBEdit4,           DBEdit5,     DBEdit6,           DBEdit3,
        DBEdit8,  DBLookupComboBox8, DBDateEdit1,       DBEdit9,     DBLookupComboBox9, DBEdit10,
        DBLookupComboBox2, DBEdit2,  DBEdit7,           DBRadioGroup1, DBMemo1,         DBLookupComboBox10,
        DBGrid1,  DBGrid4,           DBNavigator1,      DBCheckBox1, ScrollBox1,        ScrollBox2};
    for (int i = 1; i < order.size(); ++i)
        setTabOrder(order.at(i - 1), order.at(i));
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
    core::connectGuarded(DBNavigator1, &dbctrls::TDBNavigator::clicked, this, &TRegForm::DBNavigator1Click);
    core::connectGuarded(DBLookupComboBox10, &TDBLookupComboBox::chosen, this, &TRegForm::DBLookupComboBox10Click);
}

void TRegForm::afterLanguageChange()
{
    // The localizer sets every control's reading direction; these two show their picture at
    // the right of the text, which a right-to-left button does.
    SpeedButton2->setLayoutDirection(Qt::RightToLeft);
    SpeedButton4->setLayoutDirection(Qt::RightToLeft);
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
    restoreOuterSize(this, stored, {kDesignWidth, kDesignHeight});
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
    const bool lent = video.Active() && video.FieldByName(QStringLiteral("Udlaan")).AsString() == QLatin1String("Ja");
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
    const QString start = data::normaliseTimeEntry(DBEdit4->text());
    const QString end = data::normaliseTimeEntry(DBEdit5->text());
    if (!start.isEmpty() && !end.isEmpty()) {
        const QString duration = data::durationText(start, end);
        engine::Field& field = data::DM->VideoTable->FieldByName(QStringLiteral("Varighed"));
        if (field.AsString() != duration)
            field.SetAsString(duration);
    }
    DBEdit3->setFocus(Qt::OtherFocusReason);
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
    cast.FieldByName(QStringLiteral("Skuespiller")).SetAsString(name);
    cast.FieldByName(QStringLiteral("Rolle")).SetAsString(role);
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
        prompts.deletePrefix + cast.FieldByName(QStringLiteral("Skuespiller")).AsString() + QLatin1Char('?');
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
    if (const QString problem = tapeNumberProblem(tapeNr); !problem.isEmpty())
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
    enlarged.setWindowTitle(data::DM->VideoTable->FieldByName(QStringLiteral("Titel")).AsString());
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
