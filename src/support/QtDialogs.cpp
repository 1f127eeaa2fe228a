#include "QtDialogs.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QStandardPaths>
#include <QUrl>
#include <QVBoxLayout>
#include <vector>

namespace support {

namespace {

QWidget* dialogParent()
{
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    return QApplication::activeWindow();
}

// The product name the main window shows in the active language ("Reelkeep" in English): the
// title of the window every other one sits on.
QString productCaption()
{
    QWidget* window = dialogParent();
    while (window && window->parentWidget())
        window = window->parentWidget()->window();
    return window && !window->windowTitle().isEmpty() ? window->windowTitle() : QStringLiteral("Spolarkiv");
}

// Runs longer than this carry no line break of their own.
constexpr int kLongestRun = 30;

/// Lets a run of more than kLongestRun characters without a blank break anywhere, by a zero-width
/// space after each of its characters (never inside a surrogate pair).
QString breakableText(const QString& text)
{
    QString result;
    result.reserve(text.size() * 2);
    qsizetype runStart = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        if (i < text.size() && !text.at(i).isSpace())
            continue;
        const QString run = text.mid(runStart, i - runStart);
        if (run.size() <= kLongestRun) {
            result += run;
        } else {
            for (qsizetype j = 0; j < run.size(); ++j) {
                result += run.at(j);
                if (!run.at(j).isHighSurrogate())
                    result += QChar(0x200B);
            }
        }
        if (i < text.size())
            result += text.at(i);
        runStart = i + 1;
    }
    return result;
}

void showBox(QMessageBox::Icon icon, const QString& caption, const QString& text)
{
    const auto box = makeBox(icon, caption, text, dialogParent());
    box->addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box->exec();
}

} // namespace

std::unique_ptr<QMessageBox> makeBox(QMessageBox::Icon icon, const QString& caption, const QString& text,
                                     QWidget* parent)
{
    auto box = std::make_unique<QMessageBox>(icon, caption, breakableText(core::boxText(text)),
                                             QMessageBox::NoButton, parent);
    box->setTextFormat(Qt::PlainText);
    return box;
}

void QtDialogs::message(const QString& text)
{
    showBox(QMessageBox::NoIcon, core::applicationTitle(), text);
}

void QtDialogs::information(const QString& text)
{
    showBox(QMessageBox::Information, QStringLiteral("Information"), text);
}

void QtDialogs::error(const QString& text)
{
    showBox(QMessageBox::Critical, QStringLiteral("Fejl"), text);
}

bool QtDialogs::confirm(const QString& text, core::ConfirmButtons buttons)
{
    const bool yesNo = buttons == core::ConfirmButtons::YesNo;
    const auto box = makeBox(QMessageBox::Question, QStringLiteral("Bekræft"), text, dialogParent());
    QPushButton* accept = box->addButton(yesNo ? QStringLiteral("&Ja") : QStringLiteral("OK"), QMessageBox::YesRole);
    QPushButton* reject = box->addButton(yesNo ? QStringLiteral("&Nej") : QStringLiteral("Annuller"), QMessageBox::NoRole);
    box->setDefaultButton(accept);
    box->setEscapeButton(reject);
    box->exec();
    return box->clickedButton() == accept;
}

std::optional<int> QtDialogs::choose(const QString& text, const QStringList& buttons)
{
    const auto box = makeBox(QMessageBox::Question, QStringLiteral("Bekræft"), text, dialogParent());
    std::vector<QPushButton*> choices;
    for (const QString& button : buttons)
        choices.push_back(box->addButton(button, QMessageBox::ActionRole));
    QPushButton* cancel = box->addButton(QStringLiteral("Annuller"), QMessageBox::RejectRole);
    if (!choices.empty())
        box->setDefaultButton(choices.front());
    box->setEscapeButton(cancel);
    box->exec();
    for (size_t i = 0; i < choices.size(); ++i)
        if (box->clickedButton() == choices[i])
            return int(i);
    return std::nullopt;
}

std::optional<QString> QtDialogs::input(const QString& caption, const QString& prompt,
                                        const QString& defaultText)
{
    QDialog dialog(dialogParent());
    dialog.setWindowTitle(caption);
    auto* layout = new QVBoxLayout(&dialog);
    auto* label = new QLabel(prompt, &dialog);
    layout->addWidget(label);
    auto* edit = new QLineEdit(&dialog);
    label->setBuddy(edit); // a screen reader names the edit by the question
    edit->setMaxLength(255);
    edit->setText(defaultText);
    edit->selectAll();
    edit->setMinimumWidth(300);
    layout->addWidget(edit);
    auto* buttons = new QDialogButtonBox(&dialog);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(QStringLiteral("Annuller"), QDialogButtonBox::RejectRole);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return edit->text();
}

QString qtFileFilter(const QString& filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList entries;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        const QString patterns = QString(parts.at(i + 1)).replace(QLatin1Char(';'), QLatin1Char(' '));
        entries << (parts.at(i).contains(patterns) ? parts.at(i) : parts.at(i) + QStringLiteral(" (") + patterns + QLatin1Char(')'));
    }
    return entries.join(QStringLiteral(";;"));
}

std::optional<QString> QtDialogs::openFile(const QString& title, const QString& filter, const QString&)
{
    const QString file = QFileDialog::getOpenFileName(dialogParent(), title, QString(), qtFileFilter(filter));
    if (file.isEmpty())
        return std::nullopt;
    return file;
}

QtDialogs::QtDialogs() = default;
QtDialogs::~QtDialogs() = default;

std::optional<QString> QtDialogs::chooseFolder(const QString& title)
{
    const QString folder = QFileDialog::getExistingDirectory(dialogParent(), title);
    if (folder.isEmpty())
        return std::nullopt;
    return folder;
}

void QtDialogs::showReport(const QString& caption, const QString& text)
{
    QDialog window(dialogParent());
    window.setWindowTitle(caption);
    auto* view = new QPlainTextEdit(text, &window);
    view->setReadOnly(true);
    view->setAccessibleName(caption); // the report takes the focus
    view->setLineWrapMode(QPlainTextEdit::NoWrap);
    auto* buttons = new QDialogButtonBox(&window);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &window, &QDialog::accept);
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(view);
    layout->addWidget(buttons);
    window.resize(720, 480);
    window.exec();
}

bool QtDialogs::progress(const QString& text, qint64 done, qint64 total)
{
    // Shown at once: a slow import must not look like a program that hangs.
    if (!progress_) {
        progress_ = std::make_unique<QProgressDialog>(text, QStringLiteral("Annuller"), 0, 1000, dialogParent());
        progress_->setWindowTitle(productCaption());
        progress_->setWindowModality(Qt::ApplicationModal);
        progress_->setMinimumDuration(0);
        progress_->setAutoClose(false);
        progress_->setAutoReset(false);
        progress_->setMinimumWidth(420);
    }
    progress_->setLabelText(text);
    progress_->setValue(total > 0 ? int(qBound(qint64(0), done * 1000 / total, qint64(1000))) : 0);
    QApplication::processEvents();
    return !progress_->wasCanceled();
}

void QtDialogs::endProgress()
{
    progress_.reset();
}

bool QtDialogs::shellOpen(const QString& target, bool)
{
    // The desktop's own handler opens files by type and addresses in the browser.
    const QUrl url = QFileInfo::exists(target) || !target.contains(QLatin1String("://"))
                         ? QUrl::fromLocalFile(QFileInfo(target).absoluteFilePath())
                         : QUrl(target);
    return QDesktopServices::openUrl(url);
}

bool QtDialogs::startProgram(const QString& program)
{
    if (QStandardPaths::findExecutable(program).isEmpty())
        return false;
    return QProcess::startDetached(program, {});
}

} // namespace support
