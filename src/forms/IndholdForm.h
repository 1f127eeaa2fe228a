#pragma once
// The content search window: lists the tapes whose description holds a keyword (at most
// 1001, in VideoTable's order and within its filter), counts them, and shows the title and
// description of the tape clicked in the list. Moves the data module's VideoTable, so the
// tape found or clicked last stays current. Made afresh for each opening.
#include <QDialog>

class QLabel;
class QLineEdit;
class QListWidget;
class QToolButton;

namespace dbctrls {
class TDBMemo;
class TDBText;
} // namespace dbctrls
namespace locale {
class TQFormLocalizer;
}
namespace support {
class TEasyFind;
}

namespace forms {

class TIndholdForm : public QDialog {
    Q_OBJECT
public:
    static constexpr int kDesignWidth = 797; ///< outer size
    static constexpr int kDesignHeight = 532;
    /// Lines the list takes after the first hit.
    static constexpr int kMoreLines = 1000;

    explicit TIndholdForm(QWidget* parent = nullptr);

    locale::TQFormLocalizer* QFormLocalizer1;
    QLabel* Label77;
    QLineEdit* OrdIndtast;
    QToolButton* FindButton;
    QLabel* Label59;
    dbctrls::TDBText* DBText1;
    dbctrls::TDBMemo* VisFundneMemo;
    QLabel* Label11;
    QLabel* Label10;
    QListWidget* ListBox1;
    support::TEasyFind* EasyFind1;

    // Handlers.
    void FindButtonClick();
    void OrdIndtastKeyDown(int key);
    void ListBox1Click();
    void FormShow();

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createSearchControls();
    void createShownTape();
    void createList();
    void connectHandlers();
    void addCurrentTape();
    void setTexts(const QString& language);
};

/// The picture of the search button: a magnifying glass, normal and greyed.
QIcon searchIcon();

} // namespace forms
