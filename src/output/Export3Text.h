#pragma once
// An export into a file: creates its folder and the file, and hands the file to the
// desktop afterwards when asked to. The file replaces an old one only when written whole.
#include "Export3.h"
#include "core/AtomicFile.h"

#include <memory>

class QFileInfo;

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
    /// Creates the folder when missing; throws when it still is not there.
    void ensureDirectory(const QString& directory) const;
    /// Why the target may not be written; empty when it may.
    QString refusalOf(const QFileInfo& target) const;

    std::unique_ptr<core::AtomicFile> file_;
    QString path_;
    QByteArray line_; // reused for every line
};

/// Why a file must not be written there: the reason when it lies in the folder of the table's
/// catalogue, else empty.
QString tableFolderRefusal(const QFileInfo& target, const engine::Table& table);

} // namespace output
