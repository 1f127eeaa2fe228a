#pragma once
// A lookup list window: one lookup table of the data module in a grid that fills the window,
// under a menu bar with an add and a delete command. The five windows (TKatForm, TTyperForm,
// TInstruktorForm, TFormSkuespil, TOptagerForm) are this class run from their entry of the
// member table; they add only their handler names.
//
// Created per command, shown modally, freed when closed. The tables stay open: an edit typed
// into the grid and not posted when the window closes stays pending on the table.
#include "LookupMembers.h"

#include <QDialog>
#include <functional>
#include <memory>
#include <optional>

class QAction;
class QMenuBar;

namespace dbctrls {
class TDBGrid;
}
namespace engine {
class DataLink;
class Table;
}
namespace locale {
class TQFormLocalizer;
}

namespace forms {

class TLookupForm : public QDialog {
    Q_OBJECT
public:
    ~TLookupForm() override;

    const LookupMemberInfo& member() const { return info_; }
    /// The screen the window adapts to and is placed on (the injected size, or the primary
    /// screen's).
    QRect screenRect() const;

    locale::TQFormLocalizer* QFormLocalizer1;
    QMenuBar* MainMenu1;
    dbctrls::TDBGrid* DBGrid1;

    /// The handler behind the window's FormShow (menu captions and first column title per
    /// language; the category window also its caption).
    virtual void FormShow() = 0;

protected:
    /// screenSize: the screen to adapt to and centre on; empty: the primary screen.
    TLookupForm(LookupMember member, QWidget* parent, const QSize& screenSize);

    QAction* addItem() const { return addItem_; }
    QAction* deleteItem() const { return deleteItem_; }
    /// Connects the two menu items to the window's named handlers (run through the guard).
    void connectCommands(const std::function<void()>& add, const std::function<void()>& remove);

    /// Asks for a new entry and inserts and posts it; an empty or cancelled answer adds
    /// nothing. A refused post leaves the new record in insert state in the grid.
    void addEntry();
    /// Asks prefix + current entry + "?" and deletes the current record on yes.
    void deleteCurrentEntry();
    /// The texts FormShow sets for the language in use.
    void applyShowTexts();
    /// For a window designed on an 800 x 600 screen: outer size and contents scaled to the
    /// screen, unless the screen is exactly 800 pixels wide.
    void adaptToScreen();

    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void createMenu();
    void createGrid();
    void layoutContents();
    void place();
    void scaleContents(double factor);
    void dropUntouchedRefusedAddition();
    engine::Table& table() const;
    engine::Table* tableIfAny() const;
    QString listFieldName() const;
    /// The language index for the texts chosen by the member's rule.
    int chosenLanguage() const;

    const LookupMemberInfo& info_;
    QSize screenSize_;
    /// The outer size the window is to have (designed, or adapted to the screen).
    QSize outer_;
    QAction* addItem_ = nullptr;
    QAction* deleteItem_ = nullptr;
    bool placed_ = false;
    /// The answer of an addition the engine refused, while its record may still be pending.
    std::optional<QString> refusedAddition_;
    /// Forgets the refused addition once the table leaves insert state.
    std::unique_ptr<engine::DataLink> stateWatch_;
};

} // namespace forms
