#include "HovedForm.h"

#include "HtmlCommand.h"
#include "Version.h"
#include "RxLabel.h"
#include "core/Dialogs.h"
#include "core/Guard.h"
#include "core/ProgramPaths.h"
#include "data/DM.h"
#include "data/Loans.h"
#include "dbctrls/DBLookupComboBox.h"
#include "forms/ForfaldForm.h"
#include "forms/ImportCommand.h"
#include "forms/IndstillingerForm.h"
#include "forms/LaanerForm.h"
#include "forms/LookupWindows.h"
#include "forms/OversigtForm.h"
#include "forms/RegForm.h"
#include "forms/EtiketForm.h"
#include "forms/TapeCommands.h"
#include "forms/TapeScanner.h"
#include "forms/WindowPlacement.h"
#include "output/Export3ASCII.h"
#include "output/ExportCommand.h"
#include "output/LabelReport.h"
#include "output/OutputFormats.h"
#include "output/QRListForm.h"
#include "forms/AppContext.h"
#include "forms/Design.h"
#include "locale/Languages.h"
#include "locale/TQFormLocalizer.h"
#include "locale/TQLanguageSource.h"
#include "support/AboutBox.h"
#include "support/Alignment.h"
#include "support/FormResizer.h"
#include "support/Image.h"
#include "support/JpegLoader.h"
#include "support/WindowSize.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QDate>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <QToolButton>

namespace app {

THovedForm* HovedForm = nullptr;

namespace {

QImage picture(const char* resource)
{
    return support::loadJpegFile(QString::fromLatin1(resource)).value_or(QImage());
}

QFont designFont(const QString& family, int pixels, bool bold = false)
{
    QFont font(family);
    font.setPointSize(support::pointsForPixels(pixels));
    font.setBold(bold);
    return font;
}

QToolButton* makeSpeedButton(QWidget* parent, const char* name, const QString& text, const QRect& bounds)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setText(text);
    button->setGeometry(bounds);
    button->setAutoRaise(true);
    button->setCursor(Qt::PointingHandCursor);
    return button;
}

QAction* makeAction(QWidget* owner, QMenu* menu, const char* name, const QString& text)
{
    auto* action = new QAction(text, owner);
    action->setObjectName(QString::fromLatin1(name));
    menu->addAction(action);
    return action;
}

QMenu* makeMenu(QWidget* owner, QMenuBar* bar, const char* name, const QString& title)
{
    auto* menu = new QMenu(title, owner);
    menu->setObjectName(QString::fromLatin1(name));
    bar->addMenu(menu);
    return menu;
}

} // namespace

QString dataLocationNotice(const QString& programFolder)
{
    return QStringLiteral("Data for dette program er placeret i ") + programFolder + QStringLiteral("Data")
           + QStringLiteral("\n\r\n\r")
           + QStringLiteral("Det er meget vigtigt, at du sikkerhedskopierer filer i datamappen, hver gang du har "
                            "ændret eller tilføjet data i programmet!");
}

QString screenSizeNotice()
{
    return QStringLiteral("SKÆRMSTØRRELSER") + QStringLiteral("\n\r\n\r")
           + QStringLiteral("I dag findes der et utal af forskellige skærmstørrelser og skærmopløsninger. Vinduerne i "
                            "dette program kan tilpasse sig den skærm og opløsning, som du anvender på denne PC.  "
                            "Placér musen på en af de fire vinduesrammer, hold venstre musetast nede og træk rammen "
                            "større eller mindre.  Indholdet i vinduet vil automatisk tilpasse sig vinduets størrelse. ")
           + QStringLiteral("\n\r\n\r") + QStringLiteral("BEMÆRK") + QStringLiteral("\n\r")
           + QStringLiteral("Den størrelse på vinduet, som du har valgt, vil være den størrelse, som vinduet åbnes "
                            "med, næste gang du åbner dette program!");
}

void setUpLanguages(locale::TQLanguageSource& source)
{
    source.SetBaseFolder(core::programPaths().languageFolder());
    source.SetOriginalName(locale::designedLanguageName());
    source.SetLanguages(locale::languageFileLines());
    source.Loaded();
}

THovedForm::THovedForm(QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("HovedForm"));
    createComponents();
    setWindowTitle(QStringLiteral("Spolarkiv"));
    // The program's one task-bar entry: it can be minimised, and maximised, as it scales.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint
                   | Qt::WindowCloseButtonHint);
    // The platform's icon-title font has no equivalent here; the design's sans-serif stands in.
    setFont(designFont(QStringLiteral("Liberation Sans"), 11));
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("HovedFormClient"));
    client->setAutoFillBackground(true);
    QPalette palette = client->palette();
    palette.setColor(QPalette::Window, Qt::white);
    client->setPalette(palette);
    setCentralWidget(client);
    createPictures(client);
    createButtons(client);
    createEditGroup(client);
    createMenus();
    connectHandlers();
    // The design layout is recorded on the client area below the menu.
    const int menuHeight = menuBar()->sizeHint().height();
    client->resize(kDesignWidth, kDesignHeight - menuHeight);
    resize(kDesignWidth, kDesignHeight);
    FormResizer1 = new support::TFormResizer(client);
    FormResizer1->setObjectName(QStringLiteral("FormResizer1"));
    FormResizer1->setResizeFonts(true);
    FormResizer1->RecordLayout();
    client->installEventFilter(this);
    QFormLocalizer1->Loaded();
}

void THovedForm::createComponents()
{
    QLanguageSource1 = new locale::TQLanguageSource(this);
    QLanguageSource1->setObjectName(QStringLiteral("QLanguageSource1"));
    setUpLanguages(*QLanguageSource1);

    QFormLocalizer1 = new locale::TQFormLocalizer(this);
    QFormLocalizer1->setObjectName(QStringLiteral("QFormLocalizer1"));
    QFormLocalizer1->SetPropNames({QStringLiteral("Caption"), QStringLiteral("Hint"), QStringLiteral("Warning")});
    QFormLocalizer1->SetSource(QLanguageSource1);

    AboutBox1 = new support::TAboutBox(this);
    AboutBox1->setObjectName(QStringLiteral("AboutBox1"));
    AboutBox1->setAppName(QStringLiteral("Spolarkiv"));
    AboutBox1->setCopyright(QStringLiteral("Copyright © 2026 Tolvane"));
    AboutBox1->setPicture(picture(":/pictures/about.jpg"));
    AboutBox1->setVersion(support::FileVersion{SPK_VERSION_MAJOR, SPK_VERSION_MINOR, SPK_VERSION_PATCH, 0});

    QExport3ASCII1 = new output::TQExport3ASCII(this);
    QExport3ASCII1->setObjectName(QStringLiteral("QExport3ASCII1"));
}

bool THovedForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == centralWidget() && event->type() == QEvent::Resize)
        core::guarded([this] { refitControls(); });
    return QMainWindow::eventFilter(watched, event);
}

void THovedForm::refitControls()
{
    FormResizer1->ResizeControls();
    support::realign(centralWidget());
}

THovedForm::~THovedForm() = default;

forms::AppContext THovedForm::windowContext() const
{
    forms::AppContext context;
    context.languageSource = QLanguageSource1;
    context.languageLabel = [this] { return Sproget->text(); };
    return context;
}

void THovedForm::createPictures(QWidget* client)
{
    Image2 = new support::TImage(client);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setStretch(true);
    Image2->setPicture(picture(":/pictures/background.jpg"));
    Image2->setGeometry(0, 0, kDesignWidth, kDesignHeight);
    support::setAlign(Image2, support::Align::Client);

    RxLabel2 = new TRxLabel(client);
    RxLabel2->setObjectName(QStringLiteral("RxLabel2"));
    RxLabel2->setCaption(QStringLiteral("Video/DVD Spolarkiv"));
    RxLabel2->setFont(designFont(QStringLiteral("Liberation Serif"), 64, true));
    forms::design::setTextColor(RxLabel2, QColor(0, 0, 128));
    RxLabel2->setShadow(Qt::gray, 2);
    RxLabel2->setGeometry(35, 40, 578, 73);

    Image3 = new support::TImage(client);
    Image3->setObjectName(QStringLiteral("Image3"));
    Image3->setStretch(true);
    Image3->setPicture(picture(":/pictures/clapper.jpg"));
    Image3->setGeometry(680, 15, 177, 153);

    Image1 = new support::TImage(client);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPicture(picture(":/pictures/maker.jpg"));
    Image1->setGeometry(735, 480, 120, 45);
}

void THovedForm::createButtons(QWidget* client)
{
    const struct {
        QToolButton** button;
        const char* name;
        const char* text;
        const char* icon;
        int top;
    } buttons[] = {
        {&SpeedButton2, "SpeedButton2", "Spolarkiv oversigt", ":/pictures/btn_overview.jpg", 205},
        {&SpeedButton1, "SpeedButton1", "Registrering af Video/DVD", ":/pictures/btn_register.jpg", 295},
        {&SpeedButton4, "SpeedButton4", "Afslut Spolarkiv", ":/pictures/btn_exit.jpg", 385},
    };
    for (const auto& b : buttons) {
        QToolButton* button = makeSpeedButton(client, b.name, QString::fromUtf8(b.text), QRect(295, b.top, 391, 66));
        button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        button->setIcon(QIcon(QPixmap::fromImage(picture(b.icon))));
        button->setIconSize(QSize(32, 32));
        button->setFont(designFont(QStringLiteral("Liberation Sans"), 16, true));
        forms::design::setTextColor(button, QColor(0, 0, 128));
        *b.button = button;
    }
}

void THovedForm::createEditGroup(QWidget* client)
{
    Bevel3 = forms::design::bevel(client, "Bevel3", QRect(328, 313, 106, 33));

    SpeedButton3 = makeSpeedButton(client, "SpeedButton3", QStringLiteral("Ny video"), QRect(333, 319, 96, 22));
    SpeedButton3->setFont(designFont(QStringLiteral("Liberation Sans"), 11));

    Label1 = new QLabel(QStringLiteral("Redigering"), client);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->move(465, 305);
    Label1->adjustSize();

    DBLookupComboBox1 = new dbctrls::TDBLookupComboBox(client);
    DBLookupComboBox1->setObjectName(QStringLiteral("DBLookupComboBox1"));
    DBLookupComboBox1->setGeometry(465, 320, 196, 21);
    Label1->setBuddy(DBLookupComboBox1); // a screen reader names the title list by its label

    Sproget = new QLabel(QStringLiteral("Sproget"), client);
    Sproget->setObjectName(QStringLiteral("Sproget"));
    Sproget->setAlignment(Qt::AlignCenter);
    Sproget->setFont(designFont(QStringLiteral("Liberation Sans"), 13, true));
    forms::design::setTextColor(Sproget, Qt::gray);
    Sproget->setGeometry(25, 505, 101, 16);
    showEditGroup(false);
}

void THovedForm::createMenus()
{
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));
    bar->setAccessibleName(windowTitle()); // Alt alone lands on the menu bar
    Funktioner1 = makeMenu(this, bar, "Funktioner1", QStringLiteral("Funktioner"));
    Udskrivning1 = new QMenu(QStringLiteral("Udskrivning"), this);
    Udskrivning1->setObjectName(QStringLiteral("Udskrivning1"));
    Funktioner1->addMenu(Udskrivning1);
    Pprinter1 = makeAction(this, Udskrivning1, "Pprinter1", QStringLiteral("På Printer"));
    PSkrm1 = makeAction(this, Udskrivning1, "PSkrm1", QStringLiteral("På Skærm"));
    Etiketter1 = makeAction(this, Udskrivning1, "Etiketter1", QStringLiteral("Udskriv etiketter..."));
    for (const output::OutputFormat& format : output::outputFormats())
        if (format.menuItem)
            outputItems_.append(makeAction(this, Funktioner1, format.menuItem, QString::fromUtf8(format.menuCaption)));
    // The designed name the language files and the tests know the export by.
    Eksport1 = findChild<QAction*>(QStringLiteral("Eksport1"), Qt::FindDirectChildrenOnly);
    Import1 = makeAction(this, Funktioner1, "Import1", QStringLiteral("Importér…"));
    Webside1 = makeAction(this, Funktioner1, "Webside1", QStringLiteral("Eksportér som webside..."));
    Funktioner1->addSeparator();
    Overskredne1 = makeAction(this, Funktioner1, "Overskredne1", QStringLiteral("&Overskredne udlån..."));
    Laanere1 = makeAction(this, Funktioner1, "Laanere1", QStringLiteral("&Lånere..."));
    Indstillinger1 = makeAction(this, Funktioner1, "Indstillinger1", QStringLiteral("&Indstillinger..."));
    Funktioner1->addSeparator();
    Kategori1 = makeAction(this, Funktioner1, "Kategori1", QStringLiteral("Kategori"));
    Typer1 = makeAction(this, Funktioner1, "Typer1", QStringLiteral("Typer"));
    Instruktor1 = makeAction(this, Funktioner1, "Instruktor1", QStringLiteral("Instruktører"));
    Skuespillere1 = makeAction(this, Funktioner1, "Skuespillere1", QStringLiteral("Skuespillere"));
    Optagetaf1 = makeAction(this, Funktioner1, "Optagetaf1", QStringLiteral("Optaget af"));
    Dataplacering1 = makeAction(this, Funktioner1, "Dataplacering1", QStringLiteral("Dataplacering"));
    Funktioner1->addSeparator();
    Luk1 = makeAction(this, Funktioner1, "Luk1", QStringLiteral("Afslut"));
    Sprog1 = makeMenu(this, bar, "Sprog1", QStringLiteral("Sprog/Language/Sprache"));
    Hjlp1 = makeMenu(this, bar, "Hjlp1", QStringLiteral("Emner i Hjælp"));
    Help = makeAction(this, Hjlp1, "Help", QStringLiteral("Hjælp"));
    Omskrmstrrelser1 = makeAction(this, Hjlp1, "Omskrmstrrelser1", QStringLiteral("Om skærmstørrelser"));
    Information1 = makeAction(this, Hjlp1, "Information1", QStringLiteral("Information"));
    Afslut1 = new QAction(QStringLiteral("Afslut"), this);
    Afslut1->setObjectName(QStringLiteral("Afslut1"));
    bar->addAction(Afslut1);
}

void THovedForm::connectHandlers()
{
    const auto on = [this](auto* sender, auto signal, void (THovedForm::*handler)()) {
        core::connectGuarded(sender, signal, this, handler);
    };
    on(SpeedButton1, &QToolButton::clicked, &THovedForm::SpeedButton1Click);
    on(SpeedButton2, &QToolButton::clicked, &THovedForm::SpeedButton2Click);
    on(SpeedButton3, &QToolButton::clicked, &THovedForm::SpeedButton3Click);
    on(SpeedButton4, &QToolButton::clicked, &THovedForm::SpeedButton4Click);
    on(Luk1, &QAction::triggered, &THovedForm::SpeedButton4Click);
    on(Afslut1, &QAction::triggered, &THovedForm::SpeedButton4Click);
    on(Dataplacering1, &QAction::triggered, &THovedForm::Dataplacering1Click);
    on(Omskrmstrrelser1, &QAction::triggered, &THovedForm::Omskrmstrrelser1Click);
    on(Help, &QAction::triggered, &THovedForm::HelpClick);
    for (QAction* item : outputItems_)
        connect(item, &QAction::triggered, this, [this, item] { core::guarded([&] { OutputItemClick(item); }); });
    on(Webside1, &QAction::triggered, &THovedForm::Webside1Click);
    on(Import1, &QAction::triggered, &THovedForm::Import1Click);
    on(Pprinter1, &QAction::triggered, &THovedForm::Pprinter1Click);
    on(PSkrm1, &QAction::triggered, &THovedForm::PSkrm1Click);
    on(Etiketter1, &QAction::triggered, &THovedForm::Etiketter1Click);
    // A scanner types the code and Enter into whatever has the focus: the keys that the
    // buttons and the title list leave reach the window, so those keep their own keys.
    TapeScanner1 = new forms::TapeScanner(this);
    TapeScanner1->setObjectName(QStringLiteral("TapeScanner1"));
    core::connectGuarded(TapeScanner1, &forms::TapeScanner::scanned, this, &THovedForm::TapeScanned);
    forms::addScanShortcut(this, [this](const QString& code) { TapeScanned(code); });
    on(Information1, &QAction::triggered, &THovedForm::Information1Click);
    on(Overskredne1, &QAction::triggered, &THovedForm::Overskredne1Click);
    on(Laanere1, &QAction::triggered, &THovedForm::Laanere1Click);
    on(Indstillinger1, &QAction::triggered, &THovedForm::Indstillinger1Click);
    on(DBLookupComboBox1, &dbctrls::TDBLookupComboBox::chosen, &THovedForm::DBLookupComboBox1Click);
    const std::pair<QAction*, forms::LookupMember> lookups[] = {
        {Kategori1, forms::LookupMember::Category},   {Typer1, forms::LookupMember::Type},
        {Instruktor1, forms::LookupMember::Director}, {Skuespillere1, forms::LookupMember::Actor},
        {Optagetaf1, forms::LookupMember::RecordedBy}};
    for (const auto& [item, member] : lookups)
        connect(item, &QAction::triggered, this,
                [this, member = member] { core::guarded([&] { forms::showLookupWindow(member, this); }); });
}

void THovedForm::showEditGroup(bool visible)
{
    SpeedButton1->setVisible(!visible);
    SpeedButton3->setVisible(visible);
    Label1->setVisible(visible);
    DBLookupComboBox1->setVisible(visible);
    Bevel3->setVisible(visible);
}

void THovedForm::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (shown_)
        return;
    shown_ = true;
    core::guarded([this] { FormShow(); });
}

void THovedForm::FormShow()
{
    // Centred whatever the window manager does with a window mapped after a dialog, a restore
    // or another program's window.
    support::keepCentredWhileShowing(this);
    output::configureTapeExport(*QExport3ASCII1, *data::DM->VideoTable, true);
    forms::setUpTitleList(*DBLookupComboBox1, *data::DM);
    if (!forms::offerStartupConversion(*QLanguageSource1)) {
        // Nothing was opened or written; the old tables stay as the user left them.
        QTimer::singleShot(0, this, &QWidget::close);
        return;
    }
    data::DM->OpenTables();
    restoreSize();
    applyStoredLanguage();
    // After the window is up, so the list stands in front of it.
    QTimer::singleShot(0, this, [this] { core::guarded([this] { forms::TForfaldForm::showAtStart(this, QDate::currentDate()); }); });
}

void THovedForm::Overskredne1Click()
{
    forms::TForfaldForm form(this, QDate::currentDate());
    if (form.count() == 0) {
        core::dialogs().information(data::loanText("NoneOverdue", QStringLiteral("Ingen udlån er overskredet.")));
        return;
    }
    form.exec();
}

void THovedForm::Laanere1Click()
{
    forms::TLaanerForm(this, QDate::currentDate()).exec();
}

void THovedForm::Indstillinger1Click()
{
    forms::TIndstillingerForm(this).exec();
}

void THovedForm::restoreSize()
{
    const QSize stored(data::DM->configInteger(QStringLiteral("W_Main")), data::DM->configInteger(QStringLiteral("H_Main")));
    forms::restoreOuterSize(this, stored, QSize(kDesignWidth, kDesignHeight), QSize(kMinimumWidth, kMinimumHeight));
}

void THovedForm::closeEvent(QCloseEvent* event)
{
    // A failed write is reported and the window closes all the same.
    core::guarded([this] { FormClose(); });
    event->accept();
}

void THovedForm::FormClose()
{
    if (!data::DM || !data::DM->ConfigTable->Active())
        return;
    const QSize outer = support::outerSize(this);
    data::DM->storeConfig({{QStringLiteral("H_Main"), outer.height()},
                           {QStringLiteral("W_Main"), outer.width()},
                           {QStringLiteral("Sprog"), activeLanguageIndex()}});
    data::DM->ConfigTable->Close();
}

void THovedForm::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    // A click on the main window while a modal window is open brings that window forward.
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        core::guarded([] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                modal->raise();
                modal->activateWindow();
            }
        });
}

int THovedForm::activeLanguageIndex() const
{
    return QLanguageSource1->ActiveLanguage();
}

void THovedForm::SpeedButton1Click()
{
    showEditGroup(true);
    // The pressed button is gone; the keyboard goes on with what it showed, not to "Afslut".
    SpeedButton3->setFocus(Qt::OtherFocusReason);
}

void THovedForm::SpeedButton2Click()
{
    showEditGroup(false);
    forms::OversigtForm->exec();
}

void THovedForm::SpeedButton3Click()
{
    showEditGroup(false);
    forms::newVideo(*data::DM, *forms::RegForm);
}

void THovedForm::DBLookupComboBox1Click()
{
    // The list has moved VideoTable to the chosen title.
    forms::editChosenTape(*forms::RegForm);
    showEditGroup(false);
}

void THovedForm::SpeedButton4Click()
{
    close();
}

void THovedForm::Dataplacering1Click()
{
    core::dialogs().message(dataLocationNotice(core::programPaths().workingDir));
}

void THovedForm::Omskrmstrrelser1Click()
{
    core::dialogs().information(screenSizeNotice());
}

void THovedForm::HelpClick()
{
    const QString path = helpPagePath();
    if (!path.isEmpty() && !core::dialogs().shellOpen(path, false))
        core::dialogs().information(noBrowserNotice(path));
}

void THovedForm::Information1Click()
{
    AboutBox1->Execute(this);
}

void THovedForm::OutputItemClick(QAction* item)
{
    for (const output::OutputFormat& format : output::outputFormats())
        if (format.menuItem && item->objectName() == QLatin1String(format.menuItem))
            format.runFromMenu(format, {*QExport3ASCII1, activeLanguageIndex()});
}

void THovedForm::Webside1Click()
{
    runHtmlExport(*data::DM, *QLanguageSource1);
}

void THovedForm::Import1Click()
{
    forms::runImportCommand(*data::DM);
}

void THovedForm::Pprinter1Click()
{
    TQRListForm report(*data::DM->VideoTable);
    report.printToDefaultPrinter(this);
}

void THovedForm::PSkrm1Click()
{
    TQRListForm report(*data::DM->VideoTable);
    report.preview(this);
}

void THovedForm::Etiketter1Click()
{
    forms::TEtiketForm choice(this);
    if (choice.exec() != QDialog::Accepted)
        return;
    output::TLabelReport labels(*data::DM->VideoTable, choice.sheet(), choice.firstPosition());
    labels.preview(this);
}

void THovedForm::TapeScanned(const QString& code)
{
    if (!forms::goToTape(*data::DM, code)) {
        core::dialogs().message(forms::unknownTapeText(code));
        return;
    }
    showEditGroup(false);
    forms::editScannedTape(*forms::RegForm);
}

} // namespace app
