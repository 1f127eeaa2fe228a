#include "ReportRenderer.h"
#include "FontMapping.h"
#include "TextFit.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <algorithm>

namespace report {

namespace {
constexpr double mmPerInch = 25.4;
// Values kept per item: a couple of MB of laid-out lines in all.
constexpr int kKeptLines = 64;
// An item whose values rarely repeat (titles, tape numbers) stops keeping them after this many.
constexpr qint64 kTrialLookups = 2000;
}

ReportRenderer::ReportRenderer(const PageSetup& page, const std::vector<ReportBand>& bands, QPainter& painter)
    : page_(page), bands_(bands), painter_(painter), toDevice_(mmToDevice(*painter.device()))
{
    for (const ReportBand& band : bands_) {
        std::vector<QFont>& fonts = fonts_.emplace_back();
        std::vector<bool>& shortOnly = shortOnly_.emplace_back();
        lines_.emplace_back(band.items.size());
        for (const ReportItem& item : band.items) {
            fonts.emplace_back(qtFont(item.font), painter.device());
            const qreal width = toDevice_.mapRect(item.rectMm).width();
            shortOnly.push_back(std::any_of(item.widestTexts.begin(), item.widestTexts.end(), [&](const QString& text) {
                return fittedLine(text, fonts.back(), width, painter.device()) != text;
            }));
        }
    }
}

ReportRenderer::ReportRenderer(const ReportDocument& doc, QPainter& painter)
    : ReportRenderer(doc.page, doc.bands, painter)
{
    doc_ = &doc;
}

QTransform ReportRenderer::mmToDevice(const QPaintDevice& device)
{
    return QTransform::fromScale(device.logicalDpiX() / mmPerInch, device.logicalDpiY() / mmPerInch);
}

void ReportRenderer::drawPage(int pageIndex)
{
    if (doc_)
        drawPage(doc_->pages.at(size_t(pageIndex)));
}

void ReportRenderer::drawPage(const ReportPage& page)
{
    for (const PlacedBand& placed : page.bands)
        drawBand(placed);
}

void ReportRenderer::drawBand(const PlacedBand& placed)
{
    const ReportBand& band = bands_.at(size_t(placed.band));
    const QPointF origin(page_.marginLeft + placed.leftMm, page_.marginTop + placed.topMm);
    const double width = band.kind == BandKind::Detail ? page_.columnWidthMm() : page_.bandWidthMm();
    drawBox(QRectF(origin, QSizeF(width, band.heightMm)), band.box);
    for (size_t i = 0; i < band.items.size(); ++i) {
        const ReportItem& item = band.items[i];
        const QRectF rect = item.rectMm.translated(origin);
        drawBox(rect, item.box);
        if (item.kind == ItemKind::FieldPicture) {
            drawPicture(rect, item, placed.texts.value(int(i)));
            continue;
        }
        const QString shortText = placed.shortTexts.value(int(i));
        const bool useShort = shortOnly_[size_t(placed.band)][i] && !shortText.isEmpty();
        drawText(rect, size_t(placed.band), i, useShort ? shortText : placed.texts.value(int(i)), shortText);
    }
}

void ReportRenderer::drawBox(const QRectF& rectMm, const BoxStyle& box)
{
    const QRectF rect = toDevice_.mapRect(rectMm);
    if (box.background.isValid())
        painter_.fillRect(rect, box.background);
    if (box.frame)
        drawFrame(rect, box);
}

void ReportRenderer::drawFrame(const QRectF& rect, const BoxStyle& box)
{
    const qreal width = toDevice_.m11() * box.frameWidthMm;
    // The frame lies inside the box, so neighbouring boxes do not paint over each other.
    const QRectF r = rect.adjusted(width / 2, width / 2, -width / 2, -width / 2);
    painter_.save();
    painter_.setPen(QPen(box.frameColor, width, Qt::SolidLine, Qt::SquareCap));
    if (box.frame & FrameSide::Left)
        painter_.drawLine(r.topLeft(), r.bottomLeft());
    if (box.frame & FrameSide::Top)
        painter_.drawLine(r.topLeft(), r.topRight());
    if (box.frame & FrameSide::Right)
        painter_.drawLine(r.topRight(), r.bottomRight());
    if (box.frame & FrameSide::Bottom)
        painter_.drawLine(r.bottomLeft(), r.bottomRight());
    painter_.restore();
}

void ReportRenderer::drawPicture(const QRectF& rectMm, const ReportItem& item, const QString& value)
{
    if (!item.paintValue || value.isEmpty())
        return;
    painter_.save();
    item.paintValue(painter_, toDevice_.mapRect(rectMm), value);
    painter_.restore();
}

void ReportRenderer::drawText(const QRectF& rectMm, size_t band, size_t index, const QString& text,
                              const QString& shortText)
{
    if (text.isEmpty())
        return;
    const ReportItem& item = bands_[band].items[index];
    const QRectF rect = toDevice_.mapRect(rectMm);
    const FittedLine& line = fitted(band, index, rect, text, shortText);
    if (line.text().isEmpty())
        return;
    qreal x = rect.left();
    if (item.alignment & Qt::AlignRight)
        x = rect.right() - line.width();
    else if (item.alignment & Qt::AlignHCenter)
        x = rect.left() + (rect.width() - line.width()) / 2;
    if (painter_.pen().color() != item.font.color)
        painter_.setPen(item.font.color);
    line.draw(painter_, QPointF(x, rect.top()));
}

const FittedLine& ReportRenderer::fitted(size_t band, size_t item, const QRectF& rect, const QString& text,
                                         const QString& shortText)
{
    const QFont& font = fonts_[band][item];
    const auto make = [&] {
        // Laid out once: the layout that measured the line paints it.
        auto line = std::make_shared<const FittedLine>(text, font, rect.width(), painter_.device());
        // A value cut short would print a wrong value (a date without its year): its short form.
        if (line->text() != text && !shortText.isEmpty())
            line = std::make_shared<const FittedLine>(shortText, font, rect.width(), painter_.device());
        return line;
    };
    LineCache& cache = lines_[band][item];
    const bool keeping = cache.lookups < kTrialLookups || cache.hits * 4 >= cache.lookups;
    if (!keeping) {
        cache.lines.clear();
        cache.last = make();
        return *cache.last;
    }
    ++cache.lookups;
    // The short form is part of the value: the same text may stand for different dates.
    const QString key = shortText.isEmpty() ? text : text + QChar(0) + shortText;
    if (const auto found = cache.lines.constFind(key); found != cache.lines.constEnd()) {
        ++cache.hits;
        return **found;
    }
    if (cache.lines.size() >= kKeptLines)
        cache.lines.clear();
    return **cache.lines.insert(key, make());
}

} // namespace report
