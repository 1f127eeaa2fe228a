#include "OversigtForm.h"

#include "AppContext.h"
#include "ClosingEdits.h"
#include "dbctrls/RadioKeys.h"
#include "Design.h"
#include "GridColumns.h"
#include "IndholdForm.h"
#include "SkueForm.h"
#include "TapeCommands.h"
#include "TapeScanner.h"
#include "WindowPlacement.h"
#include "core/Dialogs.h"
#include "core/Errors.h"
#include "core/Guard.h"
#include "data/DM.h"
#include "data/FieldTable.h"
#include "data/Fields.h"
#include "data/Loans.h"
#include "data/TimeText.h"
#include "dbctrls/DBGrid.h"
#include "dbctrls/DBLookupComboBox.h"
#include "engine/Filter.h"
#include "locale/TQFormLocalizer.h"
#include "locale/TQLanguageSource.h"
#include "support/Alignment.h"
#include "support/EasyFind.h"
#include "support/FormResizer.h"
#include "support/IndicatorStyle.h"
#include "support/SingleResizer.h"
#include "support/WindowSize.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QToolButton>

namespace forms {

namespace fields = data::fields;

TOversigtForm* OversigtForm = nullptr;

namespace {

const char* const kFindHint = "Find/Find næste";
// The order, search and selection groups, in a 106-pixel panel below the grid.
constexpr int kGroupHeight = 96;

// The "..." of the 17-pixel speed buttons, set tight so it fits them at every scale.
void setTightDots(QToolButton* button)
{
    QFont font = button->font();
    font.setLetterSpacing(QFont::AbsoluteSpacing, -1);
    button->setFont(font);
}

engine::Table& videoTable()
{
    return *data::DM->VideoTable;
}

// The grid's columns: the tape fields the field table gives a width, in its order. Titles come
// from the fields unless a language file gives them (the widths hold every language's bold
// title). Start and Slut accept 0130 for 01:30.
std::vector<dbctrls::TDBGridColumn> overviewColumns()
{
    std::vector<dbctrls::TDBGridColumn> result;
    for (const data::FieldSpec& field : data::tableSpec(QStringLiteral("Video.db")).fields) {
        if (field.gridWidth <= 0)
            continue;
        dbctrls::TDBGridColumn column = gridColumn(QString::fromLatin1(field.name), QString(), field.gridWidth);
        if (column.fieldName == QLatin1String(fields::Start) || column.fieldName == QLatin1String(fields::Slut))
            column.normalize = data::normalizeTimeEntry;
        result.push_back(column);
    }
    return result;
}

} // namespace

TOversigtForm::TOversigtForm(QWidget* parent) : QDialog(parent)
{
    QFormLocalizer1 = design::localizer(this, {QStringLiteral("Caption"), QStringLiteral("Hint"), QStringLiteral("Columns")});
    design::setUpDialog(this, "OversigtForm", QStringLiteral("Oversigt"));
    design::allowMaximise(this);
    resize(kDesignWidth, kDesignHeight);
    createGrid();
    createOrderGroup();
    createSearchGroup();
    createSelectionGroup();
    createContentSearch();
    createSearches();
    FormResizer1 = design::formResizer(this);
    connectHandlers();
    setUpKeyboard();
    FormCreate();
    QFormLocalizer1->SetOnLanguageChanged([this](locale::TQCustomLocalizer&) { names_.apply(); });
    QFormLocalizer1->Loaded();
    names_.apply();
    fitTexts();
}

QList<QWidget*> TOversigtForm::tabOrder() const
{
    return {DBGrid1,      RadioButton4,      RadioButton9,      RadioButton5,      RadioButton6,
            RadioButton12, RadioButton1,     RadioButton2,      RadioButton3,      RadioButton10,     Edit1,             SpeedButton1,
            DBLookupComboBox1, DBLookupComboBox3, DBLookupComboBox5, DBLookupComboBox6, RadioButton8,
            RadioButton11, RadioButton7,     Edit3,             SpeedButton2,      Button1,           Button2};
}

void TOversigtForm::setUpKeyboard()
{
    const QList<QWidget*> order = tabOrder();
    for (int i = 1; i < order.size(); ++i)
        setTabOrder(order.at(i - 1), order.at(i));
    // Each group of radio buttons is one tab stop; the arrows choose inside it.
    dbctrls::TRadioKeys::attach(GroupBox2, {RadioButton4, RadioButton9, RadioButton5, RadioButton6, RadioButton12});
    dbctrls::TRadioKeys::attach(GroupBox1, {RadioButton1, RadioButton2, RadioButton3, RadioButton10});
    dbctrls::TRadioKeys::attach(GroupBox3, {RadioButton8, RadioButton11, RadioButton7});
    const std::pair<QLabel*, QWidget*> buddies[] = {
        {Label15, DBLookupComboBox1}, {Label20, DBLookupComboBox3}, {Label23, DBLookupComboBox5},
        {Label24, DBLookupComboBox6}, {Label8, Edit3}};
    for (const auto& [label, control] : buddies)
        label->setBuddy(control);
    names_.add(DBGrid1, this);
    names_.add(Edit1, GroupBox1);
    names_.add(SpeedButton1, SpeedButton1);
    names_.add(SpeedButton2, SpeedButton2);
    support::scaleIndicatorsWithFont(this);
}

TOversigtForm::~TOversigtForm() = default;

void TOversigtForm::createGrid()
{
    Panel1 = design::panel(this, "Panel1");
    Panel1->setGeometry(0, 0, kDesignWidth, kDesignHeight - 106);
    support::setAlign(Panel1, support::Align::Client);
    DBGrid1 = new dbctrls::TDBGrid(Panel1);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setFont(design::font());
    DBGrid1->setTitleBold(true);
    DBGrid1->setColumns(overviewColumns());
    DBGrid1->setDataSource(data::DM->VideoSource);
    support::setAlign(DBGrid1, support::Align::Client);
    Panel2 = design::panel(this, "Panel2");
    Panel2->setGeometry(0, kDesignHeight - 106, kDesignWidth, 106);
    support::setAlign(Panel2, support::Align::Bottom);
    support::realign(this);
}

void TOversigtForm::createOrderGroup()
{
    // The groups are 8 pixels taller than at first and this one 11 wider, to hold the shelf
    // order's longer word below the four at the smallest size.
    GroupBox2 = design::groupBox(Panel2, "GroupBox2", QStringLiteral("Sortering"), QRect(8, 8, 104, kGroupHeight));
    RadioButton4 = design::radioButton(GroupBox2, "RadioButton4", QStringLiteral("Båndnr."), QRect(6, 17, 96, 17));
    RadioButton9 = design::radioButton(GroupBox2, "RadioButton9", QStringLiteral("Type"), QRect(6, 32, 96, 17));
    RadioButton5 = design::radioButton(GroupBox2, "RadioButton5", QStringLiteral("Titel"), QRect(6, 48, 96, 17));
    RadioButton6 = design::radioButton(GroupBox2, "RadioButton6", QStringLiteral("Kategori"), QRect(6, 63, 96, 17));
    RadioButton12 = design::radioButton(GroupBox2, "RadioButton12", QStringLiteral("Placering"), QRect(6, 78, 96, 17));
    RadioButton4->setChecked(true);
}

void TOversigtForm::createSearchGroup()
{
    GroupBox1 = design::groupBox(Panel2, "GroupBox1", QStringLiteral("Søg"), QRect(114, 8, 152, kGroupHeight));
    RadioButton1 = design::radioButton(GroupBox1, "RadioButton1", QStringLiteral("Båndnr."), QRect(10, 18, 80, 17));
    RadioButton2 = design::radioButton(GroupBox1, "RadioButton2", QStringLiteral("Titel"), QRect(10, 34, 80, 17));
    RadioButton3 = design::radioButton(GroupBox1, "RadioButton3", QStringLiteral("Kategori"), QRect(10, 50, 110, 17));
    RadioButton10 = design::radioButton(GroupBox1, "RadioButton10", QStringLiteral("Placering"), QRect(10, 66, 110, 17));
    Edit1 = design::edit(GroupBox1, "Edit1", QRect(90, 20, 51, 21));
    SpeedButton1 = design::speedButton(GroupBox1, "SpeedButton1", QStringLiteral("..."), QRect(123, 48, 17, 17),
                                       QString::fromUtf8(kFindHint));
    setTightDots(SpeedButton1);
}

dbctrls::TDBLookupComboBox* TOversigtForm::createPicker(const char* name, const QRect& bounds, const char* listField)
{
    auto* picker = new dbctrls::TDBLookupComboBox(GroupBox3);
    picker->setObjectName(QString::fromLatin1(name));
    picker->setFont(design::font());
    picker->setGeometry(bounds);
    picker->setDropDownRows(18);
    picker->setKeyField(QString::fromLatin1(listField));
    picker->setListField(QString::fromLatin1(listField));
    return picker;
}

void TOversigtForm::createSelectionGroup()
{
    GroupBox3 = design::groupBox(Panel2, "GroupBox3", QStringLiteral("Selektering"), QRect(280, 8, 406, kGroupHeight));
    Label15 = design::label(GroupBox3, "Label15", QStringLiteral("Kategori/genre"), QPoint(12, 12));
    DBLookupComboBox1 = createPicker("DBLookupComboBox1", QRect(12, 26, 144, 21), fields::Kategori);
    DBLookupComboBox1->setListSource(data::DM->KatSource);
    Label20 = design::label(GroupBox3, "Label20", QStringLiteral("Type"), QPoint(12, 47));
    DBLookupComboBox3 = createPicker("DBLookupComboBox3", QRect(12, 61, 144, 21), fields::Type);
    DBLookupComboBox3->setListSource(data::DM->TypeSource);
    Label23 = design::label(GroupBox3, "Label23", QStringLiteral("Instruktør"), QPoint(167, 12));
    DBLookupComboBox5 = createPicker("DBLookupComboBox5", QRect(167, 26, 144, 21), fields::Instruktor);
    DBLookupComboBox5->setListSource(data::DM->InstruktorSource);
    Label24 = design::label(GroupBox3, "Label24", QStringLiteral("Optaget af"), QPoint(167, 47));
    DBLookupComboBox6 = createPicker("DBLookupComboBox6", QRect(167, 61, 144, 21), fields::Optagetaf);
    DBLookupComboBox6->setListSource(data::DM->OptagetSource);
    RadioButton8 = design::radioButton(GroupBox3, "RadioButton8", QStringLiteral("Udlånte"), QRect(320, 27, 87, 17));
    RadioButton7 = design::radioButton(GroupBox3, "RadioButton7", QStringLiteral("Alle"), QRect(321, 59, 84, 17));
    // Between the two designed choices, where the group has room.
    RadioButton11 = design::radioButton(GroupBox3, "RadioButton11", QStringLiteral("For sent"), QRect(320, 43, 86, 16));
}

void TOversigtForm::createContentSearch()
{
    Label8 = design::label(Panel2, "Label8", QStringLiteral("Søg indhold"), QPoint(710, 23), true, true);
    label8Right_ = Label8->geometry().right() + 1; // translations grow leftwards from here
    Edit3 = design::edit(Panel2, "Edit3", QRect(785, 15, 91, 21));
    SpeedButton2 = design::speedButton(Panel2, "SpeedButton2", QStringLiteral("..."), QRect(886, 19, 17, 17),
                                       QString::fromUtf8(kFindHint));
    setTightDots(SpeedButton2);
    const auto button = [this](const char* name, const QString& text, const QRect& bounds) {
        auto* b = new QPushButton(text, Panel2);
        b->setObjectName(QString::fromLatin1(name));
        b->setFont(design::font(8, true));
        b->setGeometry(bounds);
        b->setAutoDefault(false); // Enter in an edit box searches; it must not press a button
        return b;
    };
    Button1 = button("Button1", QStringLiteral("Indhold"), QRect(710, 48, 196, 20));
    Button2 = button("Button2", QStringLiteral("Skuespillere"), QRect(710, 72, 196, 21));
}

void TOversigtForm::createSearches()
{
    const auto search = [this](const char* name) {
        auto* find = new support::TEasyFind(this);
        find->setObjectName(QString::fromLatin1(name));
        find->DataSource = data::DM->VideoSource;
        find->MultiCharPattern = QStringLiteral("%");
        find->SingleCharPattern = QLatin1Char('_');
        find->CaseSensitive = false;
        find->AllowWildcards = false;
        find->SearchField = fields::Indhold;
        return find;
    };
    EasyFind1 = search("EasyFind1");
    EasyFind2 = search("EasyFind2");
}

void TOversigtForm::connectHandlers()
{
    readAheadTimer_ = new QTimer(this);
    readAheadTimer_->setSingleShot(true);
    core::connectGuarded(readAheadTimer_, &QTimer::timeout, this, &TOversigtForm::readNextOrderAhead);
    const auto click = [this](QAbstractButton* button, void (TOversigtForm::*handler)()) {
        core::connectGuarded(button, &QAbstractButton::clicked, this, handler);
    };
    // A radio button's click handler runs when it becomes checked (by the mouse or the arrow
    // keys), not when the checked one is clicked again.
    const auto checked = [this](QRadioButton* button, void (TOversigtForm::*handler)()) {
        connect(button, &QRadioButton::toggled, this, [this, handler](bool on) {
            if (on)
                core::guarded([&] { (this->*handler)(); });
        });
    };
    checked(RadioButton4, &TOversigtForm::RadioButton4Click);
    checked(RadioButton9, &TOversigtForm::RadioButton9Click);
    checked(RadioButton5, &TOversigtForm::RadioButton5Click);
    checked(RadioButton6, &TOversigtForm::RadioButton6Click);
    checked(RadioButton12, &TOversigtForm::RadioButton12Click);
    checked(RadioButton1, &TOversigtForm::RadioButton1Click);
    checked(RadioButton2, &TOversigtForm::RadioButton2Click);
    checked(RadioButton3, &TOversigtForm::RadioButton3Click);
    checked(RadioButton10, &TOversigtForm::RadioButton10Click);
    checked(RadioButton8, &TOversigtForm::RadioButton8Click);
    checked(RadioButton7, &TOversigtForm::RadioButton7Click);
    checked(RadioButton11, &TOversigtForm::RadioButton11Click);
    click(SpeedButton1, &TOversigtForm::SpeedButton1Click);
    click(SpeedButton2, &TOversigtForm::SpeedButton2Click);
    click(Button1, &TOversigtForm::Button1Click);
    click(Button2, &TOversigtForm::Button2Click);
    core::connectGuarded(Edit1, &QLineEdit::textChanged, this, &TOversigtForm::Edit1Change);
    core::connectGuarded(Edit3, &QLineEdit::textChanged, this, &TOversigtForm::Edit3Change);
    Edit1->installEventFilter(this);
    Edit3->installEventFilter(this);
    DBGrid1->installEventFilter(this);
    const auto chosen = [this](dbctrls::TDBLookupComboBox* picker, void (TOversigtForm::*handler)()) {
        core::connectGuarded(picker, &dbctrls::TDBLookupComboBox::chosen, this, handler);
    };
    chosen(DBLookupComboBox1, &TOversigtForm::DBLookupComboBox1Click);
    chosen(DBLookupComboBox3, &TOversigtForm::DBLookupComboBox3Click);
    chosen(DBLookupComboBox5, &TOversigtForm::DBLookupComboBox5Click);
    chosen(DBLookupComboBox6, &TOversigtForm::DBLookupComboBox6Click);
}

// Sorting.

namespace {
// The window's orders: the primary one, then the indexes of type, title, category and place.
const char* const kOrders[] = {"", "IndexType", "IndexTitel", "IndexKategori", "IndexPlacering"};
// Idle this long after the view changed, the other orders are read ahead, one at a time.
constexpr int kReadAheadDelayMs = 300;
} // namespace

void TOversigtForm::setOrder(const QString& indexName)
{
    videoTable().SetIndexName(indexName);
    scheduleReadAhead();
}

void TOversigtForm::scheduleReadAhead()
{
    readAheadNext_ = 0;
    readAheadTimer_->start(kReadAheadDelayMs);
}

// The first switch to an order reads its whole index (a tenth of a second at a million tapes);
// read while the user looks at the list, the switch finds it read.
void TOversigtForm::readNextOrderAhead()
{
    // Not while a window opened from here is in use: it is read again when this one is active.
    if (!isActiveWindow() || readAheadNext_ >= std::size(kOrders))
        return;
    try {
        videoTable().ReadOrderAhead(QLatin1String(kOrders[readAheadNext_++]));
    } catch (const core::EDatabaseError&) {
        return; // the switch itself reads and reports
    }
    readAheadTimer_->start(0);
}

void TOversigtForm::RadioButton4Click()
{
    setOrder(QLatin1String(kOrders[0]));
}

void TOversigtForm::RadioButton9Click()
{
    setOrder(QLatin1String(kOrders[1]));
}

void TOversigtForm::RadioButton5Click()
{
    setOrder(QLatin1String(kOrders[2]));
}

void TOversigtForm::RadioButton6Click()
{
    setOrder(QLatin1String(kOrders[3]));
}

void TOversigtForm::RadioButton12Click()
{
    setOrder(QLatin1String(kOrders[4]));
}

// Searching.

void TOversigtForm::chooseSearchField(const QString& field)
{
    EasyFind1->SearchField = field;
    Edit1->setFocus();
    Edit1->clear();
}

void TOversigtForm::RadioButton1Click()
{
    chooseSearchField(fields::TapeNr);
}

void TOversigtForm::RadioButton2Click()
{
    chooseSearchField(fields::Titel);
}

void TOversigtForm::RadioButton3Click()
{
    chooseSearchField(fields::Kategori);
}

void TOversigtForm::RadioButton10Click()
{
    chooseSearchField(fields::Placering);
}

void TOversigtForm::Edit1Change()
{
    EasyFind1->SearchKey = Edit1->text();
    EasyFind1->Find();
}

void TOversigtForm::Edit1KeyDown(int key)
{
    if (key != Qt::Key_Return && key != Qt::Key_Enter)
        return;
    EasyFind1->SearchKey = Edit1->text();
    EasyFind1->Find();
}

void TOversigtForm::SpeedButton1Click()
{
    EasyFind1->SearchKey = Edit1->text();
    EasyFind1->FindNext();
}

void TOversigtForm::Edit3Change()
{
    EasyFind2->SearchKey = Edit3->text();
    EasyFind2->Find();
}

void TOversigtForm::SpeedButton2Click()
{
    EasyFind2->SearchKey = Edit3->text();
    EasyFind2->FindNext();
}

// Selections.

void TOversigtForm::clearLists(const dbctrls::TDBLookupComboBox* except)
{
    for (dbctrls::TDBLookupComboBox* list : {DBLookupComboBox1, DBLookupComboBox3, DBLookupComboBox5, DBLookupComboBox6})
        if (list != except)
            list->setKeyValue(QString());
}

void TOversigtForm::filterByList(const QString& field, dbctrls::TDBLookupComboBox* chosen)
{
    engine::Table& video = videoTable();
    video.SetCondition({});
    video.SetFilter(engine::makeFilter(field, chosen->shownText()));
    video.SetFiltered(true);
    design::uncheck(RadioButton7);
    design::uncheck(RadioButton8);
    design::uncheck(RadioButton11);
    clearLists(chosen);
    scheduleReadAhead();
}

void TOversigtForm::DBLookupComboBox1Click()
{
    filterByList(fields::Kategori, DBLookupComboBox1);
}

void TOversigtForm::DBLookupComboBox3Click()
{
    filterByList(fields::Type, DBLookupComboBox3);
}

void TOversigtForm::DBLookupComboBox5Click()
{
    filterByList(fields::Instruktor, DBLookupComboBox5);
}

void TOversigtForm::DBLookupComboBox6Click()
{
    filterByList(fields::Optagetaf, DBLookupComboBox6);
}

void TOversigtForm::RadioButton8Click()
{
    engine::Table& video = videoTable();
    video.SetCondition({});
    video.SetFilter(QStringLiteral("Udlaan = 'Ja'"));
    video.SetFiltered(true);
    clearLists();
    scheduleReadAhead();
}

void TOversigtForm::RadioButton11Click()
{
    // A condition, not a stored flag: a loan becomes overdue as days pass, with no write.
    engine::Table& video = videoTable();
    video.SetFiltered(false);
    video.SetCondition({QStringLiteral("Overdue"), data::overdueTapeCondition(),
                        [] { return std::vector<QVariant>{data::DM->Today().toString(Qt::ISODate)}; },
                        {QStringLiteral("Udlaan.db")}});
    clearLists();
    scheduleReadAhead();
}

void TOversigtForm::RadioButton7Click()
{
    // The filter text stays; it only stops applying.
    videoTable().SetCondition({});
    videoTable().SetFiltered(false);
    clearLists();
    scheduleReadAhead();
}

// The windows opened from here: made afresh, modal, freed when they close.

void TOversigtForm::Button1Click()
{
    TIndholdForm form(this);
    form.exec();
}

void TOversigtForm::Button2Click()
{
    TSkueForm form(this);
    form.exec();
}

// The window itself.

void TOversigtForm::FormCreate()
{
    FormResizer1->RecordLayout();
    // The scan box goes to the tape; the grid's keys stay typing.
    addScanShortcut(this, [](const QString& code) {
        if (!goToTape(*data::DM, code))
            core::dialogs().message(unknownTapeText(code));
    });
}

void TOversigtForm::fitTexts()
{
    design::fitLabels(this);
    // The resizer scales a label's left edge; a right-aligned one keeps its scaled right edge
    // instead, so a longer translation grows away from the edit box beside it.
    const double widthRatio = double(width()) / kDesignWidth;
    Label8->move(support::roundHalfEven(label8Right_ * widthRatio) - Label8->width(), Label8->y());
}

void TOversigtForm::FormResize()
{
    FormResizer1->ResizeControls();
    support::realign(this);
    fitTexts();
}

void TOversigtForm::FormShow()
{
    const QSize stored(data::DM->configInteger(QStringLiteral("W_Over")),
                       data::DM->configInteger(QStringLiteral("H_Over")));
    restoreOuterSize(this, stored, {kDesignWidth, kDesignHeight}, {kMinimumWidth, kMinimumHeight});
    fitTexts(); // a language chosen since the last showing may have changed texts
    scheduleReadAhead();
}

void TOversigtForm::FormClose()
{
    const QSize outer = support::outerSize(this);
    data::DM->storeConfig({{QStringLiteral("H_Over"), outer.height()}, {QStringLiteral("W_Over"), outer.width()}});
}

void TOversigtForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        core::guarded([this] { FormShow(); });
}

void TOversigtForm::closeEvent(QCloseEvent* event)
{
    bool mayClose = true;
    core::guarded([&] { mayClose = postBeforeClosing({DBGrid1}, {data::DM->VideoTable}); });
    if (!mayClose) {
        event->ignore();
        return;
    }
    // A failed write is reported and the window closes all the same.
    core::guarded([this] { FormClose(); });
    QDialog::closeEvent(event);
}

void TOversigtForm::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    // Back from another program, which may have changed the catalogue: orders read ahead
    // before are read again (those still fresh cost nothing).
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && readAheadTimer_)
        scheduleReadAhead();
}

void TOversigtForm::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    core::guarded([this] { FormResize(); });
}

void TOversigtForm::keyPressEvent(QKeyEvent* event)
{
    // The window has no cancel button: Escape does not close it.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool TOversigtForm::eventFilter(QObject* watched, QEvent* event)
{
    // While keys are typed into a search or the list no order is read ahead: a read would
    // hold a key up for a tenth of a second at a million tapes.
    if (event->type() == QEvent::KeyPress && readAheadTimer_->isActive())
        readAheadTimer_->start(kReadAheadDelayMs);
    if (watched == Edit1 && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        core::guarded([this, key] { Edit1KeyDown(key); });
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace forms
