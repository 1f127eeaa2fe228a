#pragma once
// The actor window: the films one actor appears in. Choosing an actor narrows the data
// module's MedvirkAllTable to that actor (the filter stays after the window closes); clicking
// a row makes its film VideoTable's current tape. Made afresh for each opening.
#include <QDialog>

class QFrame;
class QLabel;

namespace dbctrls {
class TDBGrid;
class TDBLookupComboBox;
} // namespace dbctrls
namespace locale {
class TQFormLocalizer;
}

namespace forms {

class TSkueForm : public QDialog {
    Q_OBJECT
public:
    static constexpr int kDesignWidth = 696; ///< outer size
    static constexpr int kDesignHeight = 480;

    explicit TSkueForm(QWidget* parent = nullptr);

    locale::TQFormLocalizer* QFormLocalizer1;
    QFrame* Panel1;
    QLabel* Label25;
    dbctrls::TDBLookupComboBox* DBLookupComboBox7;
    QLabel* Label26;
    dbctrls::TDBGrid* DBGrid5;

    // Handlers.
    void DBLookupComboBox7Click();
    void DBGrid5CellClick();

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void createActorPanel();
    void createGrid();
};

/// The phrase after the actor's name for a language index; empty when the label stays as it is.
QString actorPhrase(int languageIndex);

} // namespace forms
