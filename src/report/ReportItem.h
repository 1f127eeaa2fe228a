#pragma once
// What a band holds: labels, field values, the report title, the page number and the count of
// detail lines, each in a box measured in mm from its band's left edge and top.
#include <QColor>
#include <QFlags>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <functional>

class QPainter;

namespace report {

enum class ItemKind {
    Label,       ///< text: the label itself
    Field,       ///< text: the field name asked of the data provider
    ReportTitle, ///< the report's title
    PageNumber,  ///< text: a prefix before the page number
    DetailCount, ///< text: a prefix before the number of detail lines so far (never reset)
    FieldPicture ///< text: the field name; its value is drawn by the item's paintValue
};

/// Draws a value as a picture (a barcode) filling rectPx, in the painter's device pixels.
/// Called only for a value that is not empty.
using ValuePainter = std::function<void(QPainter& painter, const QRectF& rectPx, const QString& value)>;

enum class FrameSide : unsigned { Left = 1, Top = 2, Right = 4, Bottom = 8 };
Q_DECLARE_FLAGS(FrameSides, FrameSide)
Q_DECLARE_OPERATORS_FOR_FLAGS(FrameSides)
constexpr FrameSides allSides() { return FrameSide::Left | FrameSide::Top | FrameSide::Right | FrameSide::Bottom; }

/// A font by its design name ("Arial"); the renderer maps it onto an installed family.
struct ReportFont {
    QString family = QStringLiteral("Arial");
    double pointSize = 10.0;
    bool bold = false;
    QColor color = Qt::black;
};

/// Background and frame of a band or an item. An invalid background is transparent.
struct BoxStyle {
    QColor background;
    FrameSides frame;
    QColor frameColor = Qt::black;
    double frameWidthMm = 0.2;
};

struct ReportItem {
    ItemKind kind = ItemKind::Label;
    QString text;
    QRectF rectMm;
    ReportFont font;
    Qt::Alignment alignment = Qt::AlignLeft;
    BoxStyle box;
    ValuePainter paintValue; ///< FieldPicture only
    /// A field with a short form (a date): the widest texts it can show. When one of them does
    /// not fit the box, every line prints the short form, so a column keeps one form.
    QStringList widestTexts;

    static ReportItem make(ItemKind kind, const QString& text, const QRectF& rectMm,
                           const ReportFont& font = ReportFont())
    {
        ReportItem item;
        item.kind = kind;
        item.text = text;
        item.rectMm = rectMm;
        item.font = font;
        return item;
    }
};

} // namespace report
