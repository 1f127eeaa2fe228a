#pragma once
// An export into a file: creates its folder and the file, and hands the file to the
// desktop afterwards when asked to.
#include "Export3.h"

#include <QFile>

namespace output {

class TQExport3Text : public TQExport3 {
    Q_OBJECT
public:
    using TQExport3::TQExport3;

    QString FileName;
    bool ShowFile = false;
    bool PrintFile = false; ///< printing exported files is not offered on this platform

protected:
    void BeginExport() override;
    void EndExport(bool succeeded) override;
    void AfterExport() override;
    /// Writes one line (already in the file's bytes) followed by CR LF.
    void writeLine(const QByteArray& bytes);

private:
    QFile file_;
};

} // namespace output
