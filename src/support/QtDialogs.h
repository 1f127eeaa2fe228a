#pragma once
// The real program's boxes: Qt dialogs with the Danish captions and buttons whatever
// language is active.
#include "core/Dialogs.h"

#include <memory>

class QProgressDialog;

namespace support {

class QtDialogs : public core::Dialogs {
public:
    void message(const QString& text) override;
    void information(const QString& text) override;
    void error(const QString& text) override;
    bool confirm(const QString& text, core::ConfirmButtons buttons) override;
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

/// "Billeder (*.jpg)|*.jpg" (description|pattern pairs) as a Qt file-dialog filter.
QString qtFileFilter(const QString& filter);

} // namespace support
