#pragma once
// The main window: three large buttons, the edit group, the menu, the language label.
// Lives for the whole run; closing it stores its size and language and ends the program.
#include <QMainWindow>

class QAction;
class QActionGroup;
class QFrame;
class QLabel;
class QMenu;
class QToolButton;

namespace support {
class TAboutBox;
class TFormResizer;
class TImage;
} // namespace support
namespace locale {
class TQFormLocalizer;
class TQLanguageSource;
} // namespace locale
namespace output {
class TQExport3ASCII;
}
namespace dbctrls {
class TDBLookupComboBox;
}

namespace app {

class TRxLabel;
class TJustOneGuard;

/// The program's languages on a language source: Danish built in, the four language files
/// beside the program. Ends the source's loading.
void setUpLanguages(locale::TQLanguageSource& source);

class THovedForm : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int kDesignWidth = 895;
    static constexpr int kDesignHeight = 600;

    /// instanceKey: identity for the single-instance guard; empty means no guard (tests).
    explicit THovedForm(const QString& instanceKey = QString(), QWidget* parent = nullptr);
    ~THovedForm() override;

    /// True when another copy runs: the program must end without showing anything.
    bool anotherCopyRuns() const;

    // Controls, by their design names.
    support::TImage* Image2;
    TRxLabel* RxLabel2;
    support::TImage* Image3;
    support::TImage* Image1;
    QToolButton* SpeedButton2;
    QToolButton* SpeedButton1;
    QToolButton* SpeedButton4;
    QFrame* Bevel3;
    QToolButton* SpeedButton3;
    QLabel* Label1;
    dbctrls::TDBLookupComboBox* DBLookupComboBox1;
    QLabel* Sproget;

    QMenu* Funktioner1;
    QMenu* Udskrivning1;
    QAction* Pprinter1;
    QAction* PSkrm1;
    QAction* Eksport1;
    QAction* Import1;
    QAction* Kategori1;
    QAction* Typer1;
    QAction* Instruktor1;
    QAction* Skuespillere1;
    QAction* Optagetaf1;
    QAction* Dataplacering1;
    QAction* Luk1;
    QMenu* Sprog1;
    QMenu* Hjlp1;
    QAction* Help;
    QAction* Omskrmstrrelser1;
    QAction* Information1;
    QAction* Afslut1;

    output::TQExport3ASCII* QExport3ASCII1;
    locale::TQLanguageSource* QLanguageSource1;
    locale::TQFormLocalizer* QFormLocalizer1;
    support::TAboutBox* AboutBox1;
    support::TFormResizer* FormResizer1;

    // Handlers.
    void FormShow();
    void FormClose();
    void SpeedButton1Click();
    void SpeedButton2Click();
    void SpeedButton3Click();
    void SpeedButton4Click();
    void Dataplacering1Click();
    void Omskrmstrrelser1Click();
    void HelpClick();
    void Eksport1Click();
    void Import1Click();
    void Pprinter1Click();
    void PSkrm1Click();
    void Information1Click();
    void DBLookupComboBox1Click();

    // Language handling.
    /// The language steps of the first showing: active language from Sprog, menu, label,
    /// help page, caption.
    void applyStoredLanguage();
    /// A language item was chosen.
    void LanguageItemClick(QAction* item);
    /// The language items under Sprog1, in index order from -1.
    QList<QAction*> languageItems() const;
    /// The help page of the language that was active at the first showing (empty before).
    QString helpPagePath() const;

    /// Shows or hides the edit group (and SpeedButton1 the other way round).
    void showEditGroup(bool visible);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void createPictures(QWidget* client);
    void createButtons(QWidget* client);
    void createEditGroup(QWidget* client);
    void createMenus();
    void connectHandlers();
    void createComponents();
    void refitControls();
    void restoreSize();
    int activeLanguageIndex() const;
    void buildLanguageItems();
    void showLanguage(int index, bool withHelpPage);

    TJustOneGuard* guard_ = nullptr;
    QActionGroup* languageGroup_ = nullptr;
    bool shown_ = false;
};

/// The main window of the running program.
extern THovedForm* HovedForm;

/// The notices of the menu, exactly as shown.
QString dataLocationNotice(const QString& programFolder);
QString screenSizeNotice();

} // namespace app
