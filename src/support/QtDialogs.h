#pragma once
// The real program's boxes: Qt dialogs with the Danish captions and buttons whatever
// language is active.
#include "core/Dialogs.h"

#include <QMessageBox>
#include <memory>

class QProgressDialog;

namespace support {

class QtDialogs : public core::Dialogs {
public:
    void message(const QString& text) override;
    void information(const QString& text) override;
    void error(const QString& text) override;
    bool confirm(const QString& text, core::ConfirmButtons buttons) override;
    std::optional<int> choose(const QString& text, const QStringList& buttons) override;
    std::optional<QString> input(const QString& caption, const QString& prompt,
                                 const QString& defaultText) override;
    std::optional<QString> openFile(const QString& title, const QString& filter,
                                    const QString& defaultExt) override;
    std::optional<QString> chooseFolder(const QString& title) override;
    void showReport(const QString& caption, const QString& text) override;
    bool progress(const QString& text, qint64 done, qint64 total) override;
    void endProgress() override;
    bool shellOpen(const QString& target, bool maximized) override;
    bool startProgram(const QString& program) override;

    QtDialogs();
    ~QtDialogs() override;

private:
    std::unique_ptr<QProgressDialog> progress_;
};

/// A box as the dialogs show it, not yet shown: the text wraps also inside a word too long for
/// one line (a 255-character entry), so the whole text can be read.
std::unique_ptr<QMessageBox> makeBox(QMessageBox::Icon icon, const QString& caption, const QString& text,
                                     QWidget* parent);

/// "Billeder (*.jpg)|*.jpg" (description|pattern pairs) as a Qt file-dialog filter.
QString qtFileFilter(const QString& filter);

} // namespace support
