#include "IndholdForm.h"

#include "AccessibleNames.h"
#include "AppContext.h"
#include "Design.h"
#include "core/Guard.h"
#include "data/DM.h"
#include "data/Fields.h"
#include "dbctrls/DBMemo.h"
#include "dbctrls/DBText.h"
#include "locale/Languages.h"
#include "locale/TQFormLocalizer.h"
#include "locale/TQLanguageSource.h"
#include "support/EasyFind.h"
#include "support/WindowSize.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QShowEvent>
#include <QToolButton>

namespace forms {

namespace fields = data::fields;

namespace {

// The texts set on showing, for the language the label names.
struct ShownTexts {
    const char* caption;
    const char* label77;
    const char* label59;
    const char* label11;
    const char* findButton;
};

const locale::PerLanguage<ShownTexts> kTexts = {
    ShownTexts{"Indhold", "Søgeord", "Indhold af", "Fundne titler", "Søg"},
    ShownTexts{"Content", "Search word", "Content of", "Titles found", "Search"},
    ShownTexts{"Indhold", "Søgeord", "Indhold af", "Fundne titler", "Søk"},
    ShownTexts{"Indhold", "Søgeord", "Indhold af", "Fundne titler", "Sök"},
    ShownTexts{"Inhalt", "Suchwort", "Inhalt von", "Gefundene Titel", "Suchen"},
};

QPixmap magnifier(const QColor& colour)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(colour, 2));
    painter.setBrush(QColor(255, 255, 255, 160));
    painter.drawEllipse(QRectF(1.5, 1.5, 9, 9));
    painter.setPen(QPen(colour, 3, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(10, 10), QPointF(14, 14));
    return pixmap;
}

bool isEnter(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace

QIcon searchIcon()
{
    QIcon icon;
    icon.addPixmap(magnifier(QColor(0, 0, 128)), QIcon::Normal);
    icon.addPixmap(magnifier(QColor(160, 160, 160)), QIcon::Disabled);
    return icon;
}

TIndholdForm::TIndholdForm(QWidget* parent) : QDialog(parent)
{
    QFormLocalizer1 = design::localizer(this, {QStringLiteral("Caption"), QStringLiteral("Hint")});
    design::setUpDialog(this, "IndholdForm", QStringLiteral("Indhold"));
    resize(kDesignWidth, kDesignHeight);
    createSearchControls();
    createShownTape();
    createList();
    EasyFind1 = new support::TEasyFind(this);
    EasyFind1->setObjectName(QStringLiteral("EasyFind1"));
    EasyFind1->DataSource = data::DM->VideoSource;
    EasyFind1->SearchField = fields::Indhold;
    EasyFind1->MultiCharPattern = QStringLiteral("%");
    EasyFind1->SingleCharPattern = QLatin1Char('_');
    EasyFind1->CaseSensitive = false;
    EasyFind1->AllowWildcards = false;
    connectHandlers();
    QFormLocalizer1->Loaded();
    // Names a screen reader says, in the language the window was built in; a list takes no buddy.
    Label77->setBuddy(OrdIndtast);
    Label59->setBuddy(VisFundneMemo);
    ListBox1->setAccessibleName(nameText(Label11));
    design::fitLabels(this);
}

void TIndholdForm::createSearchControls()
{
    Label77 = design::label(this, "Label77", QStringLiteral("Søgeord"), QPoint(16, 13), true);
    OrdIndtast = design::edit(this, "OrdIndtast", QRect(16, 32, 250, 21));
    FindButton = design::speedButton(this, "FindButton", QStringLiteral("Søg"), QRect(287, 30, 89, 25), QString(),
                                     true);
    FindButton->setFont(design::font(8, true));
    FindButton->unsetCursor(); // unlike the overview's small speed buttons, no hand
    FindButton->setIcon(searchIcon());
    FindButton->setIconSize(QSize(16, 16));
    FindButton->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
}

void TIndholdForm::createShownTape()
{
    Label59 = design::label(this, "Label59", QStringLiteral("Indhold af "), QPoint(15, 66), true);
    DBText1 = design::control<dbctrls::TDBText>(this, "DBText1", {80, 64, 316, 17});
    DBText1->setFont(design::font(10));
    design::setTextColor(DBText1, design::blue());
    design::bind(DBText1, {data::DM->VideoSource, fields::Titel});
    VisFundneMemo = design::control<dbctrls::TDBMemo>(this, "VisFundneMemo", {16, 85, 400, 396});
    VisFundneMemo->setFont(design::font());
    VisFundneMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    design::bind(VisFundneMemo, {data::DM->VideoSource, fields::Indhold});
}

void TIndholdForm::createList()
{
    Label11 = design::label(this, "Label11", QStringLiteral("Fundne titler"), QPoint(445, 16), true);
    Label10 = design::label(this, "Label10", QStringLiteral("0"), QPoint(759, 14), true);
    Label10->setFont(design::font(10, true));
    design::setTextColor(Label10, design::blue());
    design::fitLabel(Label10);
    ListBox1 = design::control<QListWidget>(this, "ListBox1", {445, 35, 326, 446});
    ListBox1->setFont(design::font());
    ListBox1->setToolTip(QStringLiteral("Klik for at se beskrivelsen af denne film\r\nDobbeltklik for at se al information"));
}

void TIndholdForm::connectHandlers()
{
    connect(FindButton, &QToolButton::clicked, this, [this] { core::guarded([this] { FindButtonClick(); }); });
    // A line is chosen by a click or the arrow keys; giving the list the focus chooses nothing.
    connect(ListBox1, &QListWidget::itemSelectionChanged, this, [this] { core::guarded([this] { ListBox1Click(); }); });
    OrdIndtast->installEventFilter(this);
}

void TIndholdForm::collectHits(QStringList& lines)
{
    const engine::Table& video = *data::DM->VideoTable;
    // The whole number goes with each line: numbers from 10000-00 on are longer than seven characters.
    const auto addCurrentTape = [&] {
        const QString number = video.FieldByName(fields::TapeNr).AsString();
        const QString name = video.FieldByName(fields::Titel).AsString();
        QString line;
        line.reserve(number.size() + 1 + name.size());
        line.append(number).append(QLatin1Char(' ')).append(name);
        lines.append(line);
        tapes_.append(number);
    };
    EasyFind1->SearchKey = OrdIndtast->text();
    EasyFind1->Find();
    if (EasyFind1->Found())
        addCurrentTape();
    int budget = kMoreLines;
    while (!video.Eof()) {
        EasyFind1->FindNext();
        if (!EasyFind1->Found())
            break;
        addCurrentTape();
        if (--budget == 0)
            break;
    }
}

void TIndholdForm::FindButtonClick()
{
    // The bound controls (and the overview's grid) are told once, after the last hit, not
    // after each of up to 1001 searches; the list takes its lines in one go as well.
    engine::ControlsDisabled quiet(*data::DM->VideoTable);
    ListBox1->clear();
    tapes_.clear();
    QStringList lines;
    try {
        collectHits(lines);
    } catch (...) {
        ListBox1->addItems(lines);
        throw;
    }
    ListBox1->addItems(lines);
    Label10->setText(QString::number(ListBox1->count()));
    design::fitLabel(Label10);
}

void TIndholdForm::OrdIndtastKeyDown(int key)
{
    if (isEnter(key))
        FindButtonClick();
}

void TIndholdForm::ListBox1Click()
{
    const QList<QListWidgetItem*> selected = ListBox1->selectedItems();
    if (selected.isEmpty())
        return;
    const int row = ListBox1->row(selected.first());
    if (row >= 0 && row < tapes_.size())
        data::DM->VideoTable->Locate(fields::TapeNr, tapes_.at(row));
}

void TIndholdForm::setTexts(const QString& language)
{
    const std::optional<int> index = locale::languageIndexOfName(language);
    if (!index)
        return;
    const ShownTexts& row = kTexts[*index];
    setWindowTitle(QString::fromUtf8(row.caption));
    Label77->setText(QString::fromUtf8(row.label77));
    Label59->setText(QString::fromUtf8(row.label59));
    Label11->setText(QString::fromUtf8(row.label11));
    FindButton->setText(QString::fromUtf8(row.findButton));
    design::fitLabels(this);
}

void TIndholdForm::FormShow()
{
    setTexts(appContext().languageName());
}

void TIndholdForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    core::guarded([this] {
        support::setOuterSize(this, QSize(kDesignWidth, kDesignHeight));
        support::keepCentredWhileShowing(this);
        FormShow();
    });
}

void TIndholdForm::keyPressEvent(QKeyEvent* event)
{
    // No cancel button: Escape does not close the window.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool TIndholdForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == OrdIndtast && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        core::guarded([this, key] { OrdIndtastKeyDown(key); });
        return isEnter(key);
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace forms
