#include "LookupForm.h"

#include "AppContext.h"
#include "ClosingEdits.h"
#include "Design.h"
#include "MenuBarStyle.h"
#include "core/Dialogs.h"
#include "core/Errors.h"
#include "core/Guard.h"
#include "data/DM.h"
#include "dbctrls/DBGrid.h"
#include "engine/DataSource.h"
#include "engine/Field.h"
#include "engine/Table.h"
#include "locale/TQFormLocalizer.h"
#include "locale/TQLanguageSource.h"
#include "support/Alignment.h"
#include "support/WindowSize.h"

#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenuBar>
#include <QScreen>

namespace forms {

namespace {
// The screen the windows were designed on.
constexpr int kDesignScreenWidth = 800;
constexpr int kDesignScreenHeight = 600;

// Tells when the table's state changes between browse and edit/insert.
class StateWatch : public engine::DataLink {
public:
    explicit StateWatch(std::function<void()> changed) : changed_(std::move(changed)) {}
    void editingChanged() override { changed_(); }

private:
    std::function<void()> changed_;
};

QFont designFont()
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSize(8);
    return font;
}
} // namespace

TLookupForm::TLookupForm(LookupMember member, QWidget* parent, const QSize& screenSize)
    : QDialog(parent), info_(lookupMember(member)), screenSize_(screenSize), outer_(info_.outerSize)
{
    QFormLocalizer1 = design::localizer(this, {QStringLiteral("Caption"), QStringLiteral("Hint"), QStringLiteral("Columns")});

    setObjectName(QString::fromLatin1(info_.objectName));
    setWindowTitle(QString::fromUtf8(info_.caption));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFont(designFont());
    createMenu();
    createGrid();
    support::setOuterSize(this, outer_);
    layoutContents();

    QFormLocalizer1->Loaded();
}

TLookupForm::~TLookupForm() = default;

void TLookupForm::createMenu()
{
    MainMenu1 = new QMenuBar(this);
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
    auto* style = new TMenuBarStyle;
    style->setParent(MainMenu1);
    MainMenu1->setStyle(style);
    support::setAlign(MainMenu1, support::Align::Top);
    const auto makeItem = [this](const LookupMenuItem& item) {
        auto* action = new QAction(QString::fromUtf8(item.caption), this);
        action->setObjectName(QString::fromLatin1(item.name));
        MainMenu1->addAction(action);
        return action;
    };
    addItem_ = makeItem(info_.addItem);
    deleteItem_ = makeItem(info_.deleteItem);
}

void TLookupForm::createGrid()
{
    DBGrid1 = new dbctrls::TDBGrid(this);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    support::setAlign(DBGrid1, support::Align::Client);
    DBGrid1->setTitleBold(true);
    // One list field: its column takes the grid's whole width.
    DBGrid1->horizontalHeader()->setStretchLastSection(true);
    if (info_.designedColumn)
        DBGrid1->setColumns({{QString::fromLatin1(info_.designedColumn->first),
                              QString::fromUtf8(info_.designedColumn->second), -1, {}}});
    if (!data::DM)
        return;
    DBGrid1->setDataSource(data::DM->*info_.source);
    stateWatch_ = std::make_unique<StateWatch>([this] {
        const engine::Table* lookup = tableIfAny();
        if (!lookup || lookup->State() != engine::DataSetState::Insert)
            refusedAddition_.reset();
    });
    stateWatch_->setDataSource(data::DM->*info_.source);
}

void TLookupForm::connectCommands(const std::function<void()>& add, const std::function<void()>& remove)
{
    connect(addItem_, &QAction::triggered, this, [add] { core::guarded(add); });
    connect(deleteItem_, &QAction::triggered, this, [remove] { core::guarded(remove); });
}

engine::Table* TLookupForm::tableIfAny() const
{
    return data::DM ? data::DM->*info_.table : nullptr;
}

engine::Table& TLookupForm::table() const
{
    engine::Table* table = tableIfAny();
    if (!table)
        throw core::EDatabaseError(QStringLiteral("No data module"));
    return *table;
}

QString TLookupForm::listFieldName() const
{
    return QString::fromLatin1(info_.listField);
}

int TLookupForm::chosenLanguage() const
{
    const int active = appContext().activeLanguage();
    if (info_.choice == TextChoice::ByIndex)
        return active;
    // The label and the index always agree; a label naming no language falls back to the index.
    return locale::languageIndexOfName(appContext().languageName()).value_or(active);
}

void TLookupForm::addEntry()
{
    const int language = appContext().activeLanguage();
    const std::optional<QString> answer =
        core::dialogs().input(info_.addCaption.text(language), info_.addPrompt.text(language), QString());
    if (!answer || answer->isEmpty())
        return;
    engine::Table& lookup = table();
    lookup.Insert();
    lookup.FieldByName(listFieldName()).SetAsString(*answer);
    refusedAddition_ = *answer;
    lookup.Post();
    refusedAddition_.reset();
}

void TLookupForm::deleteCurrentEntry()
{
    engine::Table& lookup = table();
    const QString question =
        info_.deletePrefix.text(chosenLanguage()) + lookup.FieldByName(listFieldName()).AsString() + QStringLiteral("?");
    if (core::dialogs().confirm(question, core::ConfirmButtons::YesNo))
        lookup.Delete();
}

void TLookupForm::applyShowTexts()
{
    const int language = chosenLanguage();
    addItem_->setText(info_.showAdd.text(language));
    deleteItem_->setText(info_.showDelete.text(language));
    DBGrid1->setColumnTitles({info_.showFirstColumn.text(language)});
    if (info_.showCaption)
        setWindowTitle(info_.showCaption->text(language));
    layoutContents();
}

QRect TLookupForm::screenRect() const
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect real = screen ? screen->geometry() : QRect(0, 0, kDesignScreenWidth, kDesignScreenHeight);
    return screenSize_.isEmpty() ? real : QRect(real.topLeft(), screenSize_);
}

void TLookupForm::adaptToScreen()
{
    const QSize screen = screenRect().size();
    if (screen.width() == kDesignScreenWidth || screen.isEmpty())
        return;
    const int height = screen.height() * outer_.height() / kDesignScreenHeight;
    const int width = screen.width() * outer_.width() / kDesignScreenWidth;
    outer_ = QSize(width, height);
    support::setOuterSize(this, outer_);
    scaleContents(double(screen.width()) / kDesignScreenWidth);
}

void TLookupForm::scaleContents(double factor)
{
    // Every control here takes its font from the window (the grid's titles only add bold) and
    // is placed by its alignment: a larger window font and a new alignment scale them all,
    // row heights and the menu bar included.
    QFont scaled = font();
    scaled.setPointSizeF(scaled.pointSizeF() * factor);
    setFont(scaled);
    layoutContents();
}

void TLookupForm::layoutContents()
{
    MainMenu1->resize(width(), MainMenu1->sizeHint().height());
    support::realign(this);
}

void TLookupForm::place()
{
    // The frame may be known only now: the outer size is set once more before the window
    // is placed by it.
    support::setOuterSize(this, outer_);
    const QRect screen = screenRect();
    if (info_.designedPlace) {
        move(*info_.designedPlace);
        return;
    }
    move(screen.x() + (screen.width() - outer_.width()) / 2, screen.y() + (screen.height() - outer_.height()) / 2);
}

void TLookupForm::dropUntouchedRefusedAddition()
{
    // A refused addition left as it was would be posted, and refused again, by the table's
    // next move anywhere in the program; what the user typed into the grid stays pending.
    engine::Table* lookup = tableIfAny();
    if (refusedAddition_ && lookup && lookup->State() == engine::DataSetState::Insert
        && lookup->FieldByName(listFieldName()).AsString() == *refusedAddition_)
        lookup->Cancel();
}

void TLookupForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    core::guarded([this] {
        if (!placed_) {
            place();
            placed_ = true;
        }
        FormShow();
        DBGrid1->setAccessibleName(windowTitle()); // a grid takes no buddy
        MainMenu1->setAccessibleName(windowTitle());
    });
}

void TLookupForm::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    core::guarded([this] { layoutContents(); });
}

void TLookupForm::closeEvent(QCloseEvent* event)
{
    bool mayClose = true;
    core::guarded([&] {
        DBGrid1->commitEditor();
        dropUntouchedRefusedAddition();
        if (engine::Table* lookup = tableIfAny())
            mayClose = postBeforeClosing({}, {lookup});
    });
    if (!mayClose) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void TLookupForm::keyPressEvent(QKeyEvent* event)
{
    core::guarded([this, event] {
        // Escape belongs to the grid (it cancels an edit); it never closes the window.
        if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
            event->accept();
            return;
        }
        QDialog::keyPressEvent(event);
    });
}

} // namespace forms
