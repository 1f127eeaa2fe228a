#pragma once
// A file export with a caption line and values formatted by field kind.
#include "Export3AdvancedText.h"

#include <QHash>
#include <QLocale>

namespace output {

class TQExport3FormatText : public TQExport3AdvancedText {
    Q_OBJECT
public:
    using TQExport3AdvancedText::TQExport3AdvancedText;

    bool AllowCaptions = true;
    QStringList Captions;    ///< "Field=Caption" lines; empty: the fields' display labels
    QStringList UserFormats; ///< "Field=Format" lines; empty: the formats by kind

protected:
    void BeginExport() override;
    /// The caption of a column.
    QString captionOf(const ExportColumn& column) const;
    /// A cell's text in its column's format; text that cannot be read as the kind is empty.
    QString formatted(const ExportColumn& column, const ExportCell& cell) const;

private:
    /// The column's user format, else its format by kind; looked up once per export.
    const QString& formatOf(const ExportColumn& column) const;
    QString formattedDate(const QString& format, const ExportCell& cell) const;

    // The system's settings, asked once per export: asking per value cost more than the value.
    QLocale locale_;
    QString shortDateFormat_;
    mutable QHash<int, QString> formats_; // by field index
};

} // namespace output
