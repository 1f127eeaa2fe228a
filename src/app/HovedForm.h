#pragma once
// The main window: three large buttons, the edit group, the menu, the language label.
// Lives for the whole run; closing it stores its size and language and ends the program.
// Ownership: every control and component is its Qt child; it sets no global itself.
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
namespace forms {
struct AppContext;
class TapeScanner;
}

namespace app {

class TRxLabel;

/// The program's languages on a language source: Danish built in, the four language files
/// beside the program. Ends the source's loading.
void setUpLanguages(locale::TQLanguageSource& source);

class THovedForm : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int kDesignWidth = 895;
    static constexpr int kDesignHeight = 600;
    /// The smallest client size at which no text clips and no control covers another in any
    /// language; the window cannot be made smaller.
    static constexpr int kMinimumWidth = 639;
    static constexpr int kMinimumHeight = 481;

    explicit THovedForm(QWidget* parent = nullptr);
    ~THovedForm() override;

    /// What the other windows need of this one: its language source and its language label's text.
    forms::AppContext windowContext() const;

    // Controls, by their design names.
    support::TImage* Image2 = nullptr;
    TRxLabel* RxLabel2 = nullptr;
    support::TImage* Image3 = nullptr;
    support::TImage* Image1 = nullptr;
    QToolButton* SpeedButton2 = nullptr;
    QToolButton* SpeedButton1 = nullptr;
    QToolButton* SpeedButton4 = nullptr;
    QFrame* Bevel3 = nullptr;
    QToolButton* SpeedButton3 = nullptr;
    QLabel* Label1 = nullptr;
    dbctrls::TDBLookupComboBox* DBLookupComboBox1 = nullptr;
    QLabel* Sproget = nullptr;

    QMenu* Funktioner1 = nullptr;
    QMenu* Udskrivning1 = nullptr;
    QAction* Pprinter1 = nullptr;
    QAction* PSkrm1 = nullptr;
    QAction* Etiketter1 = nullptr;
    QAction* Eksport1 = nullptr; ///< the export format's menu item, one of outputItems_
    /// The output formats' menu items, in the order of the format list.
    QList<QAction*> outputItems_;
    QAction* Webside1 = nullptr;
    QAction* Import1 = nullptr;
    QAction* Overskredne1 = nullptr;
    QAction* Laanere1 = nullptr;
    QAction* Indstillinger1 = nullptr;
    QAction* Kategori1 = nullptr;
    QAction* Typer1 = nullptr;
    QAction* Instruktor1 = nullptr;
    QAction* Skuespillere1 = nullptr;
    QAction* Optagetaf1 = nullptr;
    QAction* Dataplacering1 = nullptr;
    QAction* Luk1 = nullptr;
    QMenu* Sprog1 = nullptr;
    QMenu* Hjlp1 = nullptr;
    QAction* Help = nullptr;
    QAction* Omskrmstrrelser1 = nullptr;
    QAction* Information1 = nullptr;
    QAction* Afslut1 = nullptr;

    output::TQExport3ASCII* QExport3ASCII1 = nullptr;
    locale::TQLanguageSource* QLanguageSource1 = nullptr;
    locale::TQFormLocalizer* QFormLocalizer1 = nullptr;
    support::TAboutBox* AboutBox1 = nullptr;
    support::TFormResizer* FormResizer1 = nullptr;
    /// Catches the keys no control used: a scanned or typed tape number.
    forms::TapeScanner* TapeScanner1 = nullptr;

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
    /// Runs the menu command of the output format whose menu item this is.
    void OutputItemClick(QAction* item);
    void Webside1Click();
    void Import1Click();
    void Pprinter1Click();
    void PSkrm1Click();
    /// "Udskriv etiketter...": the labels window, then the labels of VideoTable's tapes in its
    /// current order and selection (the overview's) in the preview.
    void Etiketter1Click();
    /// A tape number or EAN typed or scanned into the window and Enter: the registration
    /// window on that tape, or a message naming the unknown code.
    void TapeScanned(const QString& code);
    void Information1Click();
    void Overskredne1Click();
    void Laanere1Click();
    void Indstillinger1Click();
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
    /// The notice, in the active language, that no browser could open the help page page.
    QString noBrowserNotice(const QString& page) const;

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

    QActionGroup* languageGroup_ = nullptr;
    bool shown_ = false;
};

/// The main window of the running program (not owned; set by its owner).
extern THovedForm* HovedForm;

/// The notices of the menu, exactly as shown.
QString dataLocationNotice(const QString& programFolder);
QString screenSizeNotice();

} // namespace app
