#pragma once
// The real program's boxes: Qt dialogs with the Danish captions and buttons whatever
// language is active.
#include "core/Dialogs.h"

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
    bool shellOpen(const QString& target, bool maximized) override;
    bool startProgram(const QString& program) override;
};

/// "Billeder (*.jpg)|*.jpg" (description|pattern pairs) as a Qt file-dialog filter.
QString qtFileFilter(const QString& filter);

} // namespace support
