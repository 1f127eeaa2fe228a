#include "FormShaper.h"

#include "core/Guard.h"

#include <QBuffer>
#include <QIODevice>
#include <QtEndian>
#include <algorithm>

namespace support {

namespace {

constexpr int kHeaderSize = 32;
constexpr int kRectSize = 16;
constexpr quint32 kRectangleType = 1;
// A million rectangles is far beyond any window outline; a count above it is not a shape.
constexpr quint64 kMaxRegionBytes = kHeaderSize + quint64(kRectSize) * 1000000;
constexpr qint64 kMaxExtent = 1 << 24;
// Rectangles that are not in Windows' banded order are merged one by one; crossing ones can
// cut each other into count-squared pieces, so only a modest number of them is accepted.
constexpr size_t kMaxLooseRects = 4096;

void putInt(QByteArray& out, qint32 value)
{
    char bytes[4];
    qToLittleEndian(value, bytes);
    out.append(bytes, 4);
}

qint32 intAt(const QByteArray& data, qsizetype offset)
{
    return qFromLittleEndian<qint32>(data.constData() + offset);
}

quint32 uintAt(const QByteArray& data, qsizetype offset)
{
    return qFromLittleEndian<quint32>(data.constData() + offset);
}

void putRect(QByteArray& out, const QRect& rect)
{
    putInt(out, rect.left());
    putInt(out, rect.top());
    putInt(out, rect.left() + rect.width());
    putInt(out, rect.top() + rect.height());
}

QRect rectAt(const QByteArray& data, qsizetype offset)
{
    const qint64 left = intAt(data, offset), top = intAt(data, offset + 4);
    const qint64 right = intAt(data, offset + 8), bottom = intAt(data, offset + 12);
    // Inverted or absurdly large rectangles are not part of any window's outline.
    if (right < left || bottom < top || right - left > kMaxExtent || bottom - top > kMaxExtent)
        return QRect(0, 0, -1, -1);
    return QRect(int(left), int(top), int(right - left), int(bottom - top));
}

bool headerFits(const QByteArray& data)
{
    if (data.size() < kHeaderSize || uintAt(data, 0) != quint32(kHeaderSize) || uintAt(data, 4) != kRectangleType)
        return false;
    const quint64 count = uintAt(data, 8);
    const quint64 rectBytes = uintAt(data, 12);
    if (count == 0 || count * kRectSize > quint64(data.size() - kHeaderSize))
        return false;
    // Some writers leave the byte size 0; any other value must match the count.
    return rectBytes == 0 || rectBytes == count * kRectSize;
}

// The runs of foreground pixels of one row, as [left, right) pairs.
std::vector<std::pair<int, int>> runsOfRow(const QImage& picture, int y, int backgroundLevel)
{
    std::vector<std::pair<int, int>> runs;
    const auto* row = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
    auto foreground = [&](int x) {
        const QRgb pixel = row[x];
        if (qAlpha(pixel) < 128)
            return false;
        return qRed(pixel) <= backgroundLevel || qGreen(pixel) <= backgroundLevel || qBlue(pixel) <= backgroundLevel;
    };
    for (int x = 0; x < picture.width();) {
        if (!foreground(x)) {
            ++x;
            continue;
        }
        const int start = x;
        while (x < picture.width() && foreground(x))
            ++x;
        runs.emplace_back(start, x);
    }
    return runs;
}

void appendBand(std::vector<QRect>& rects, const std::vector<std::pair<int, int>>& runs, int top, int bottom)
{
    for (const auto& run : runs)
        rects.emplace_back(run.first, top, run.second - run.first, bottom - top);
}

} // namespace

QByteArray encodeRegionData(const std::vector<QRect>& rects)
{
    QRect bounds;
    for (const QRect& rect : rects)
        bounds |= rect;
    QByteArray out;
    out.reserve(kHeaderSize + qsizetype(rects.size()) * kRectSize);
    putInt(out, kHeaderSize);
    putInt(out, qint32(kRectangleType));
    putInt(out, qint32(rects.size()));
    putInt(out, qint32(rects.size() * kRectSize));
    putRect(out, bounds.isValid() ? bounds : QRect());
    for (const QRect& rect : rects)
        putRect(out, rect);
    return out;
}

std::optional<std::vector<QRect>> decodeRegionData(const QByteArray& data)
{
    if (!headerFits(data))
        return std::nullopt;
    const quint32 count = uintAt(data, 8);
    std::vector<QRect> rects;
    rects.reserve(count);
    for (quint32 i = 0; i < count; ++i) {
        const QRect rect = rectAt(data, kHeaderSize + qsizetype(i) * kRectSize);
        if (rect.width() < 0)
            return std::nullopt;
        if (!rect.isEmpty())
            rects.push_back(rect);
    }
    // An empty region would hide the window; Qt reads an empty mask as "no mask" instead.
    if (rects.empty() || (!isBanded(rects) && rects.size() > kMaxLooseRects))
        return std::nullopt;
    return rects;
}

bool isBanded(const std::vector<QRect>& rects)
{
    for (size_t i = 1; i < rects.size(); ++i) {
        const QRect& before = rects[i - 1];
        const QRect& rect = rects[i];
        const bool sameBand = rect.top() == before.top() && rect.bottom() == before.bottom()
                              && rect.left() > before.right() + 1;
        if (!sameBand && rect.top() <= before.bottom())
            return false;
    }
    return true;
}

QRegion regionOf(const std::vector<QRect>& rects)
{
    QRegion region;
    if (isBanded(rects)) {
        region.setRects(rects.data(), int(rects.size()));
        return region;
    }
    // Merging pairwise keeps the work near n log n for well-behaved shapes.
    std::vector<QRegion> parts(rects.begin(), rects.end());
    while (parts.size() > 1) {
        std::vector<QRegion> merged;
        merged.reserve(parts.size() / 2 + 1);
        for (size_t i = 0; i + 1 < parts.size(); i += 2)
            merged.push_back(parts[i].united(parts[i + 1]));
        if (parts.size() % 2 == 1)
            merged.push_back(parts.back());
        parts.swap(merged);
    }
    return parts.empty() ? region : parts.front();
}

QRect regionDataBounds(const QByteArray& data)
{
    if (data.size() < kHeaderSize)
        return QRect();
    return rectAt(data, 16);
}

QByteArray formShapeBlock(const QByteArray& regionData)
{
    QByteArray block;
    putInt(block, qint32(regionData.size()));
    return block + regionData;
}

std::vector<QRect> bandsOfPicture(const QImage& source, int backgroundLevel)
{
    const QImage picture = source.convertToFormat(QImage::Format_ARGB32);
    std::vector<QRect> rects;
    std::vector<std::pair<int, int>> bandRuns;
    int bandTop = 0;
    for (int y = 0; y <= picture.height(); ++y) {
        const auto runs = y < picture.height() ? runsOfRow(picture, y, backgroundLevel)
                                               : std::vector<std::pair<int, int>>();
        if (y > 0 && runs == bandRuns)
            continue;
        appendBand(rects, bandRuns, bandTop, y);
        bandRuns = runs;
        bandTop = y;
    }
    return rects;
}

TFormShaper::TFormShaper(QObject* owner) : QObject(owner) {}

TFormShaper::~TFormShaper() = default;

QWidget* TFormShaper::target() const
{
    if (controlToShape_)
        return controlToShape_;
    return qobject_cast<QWidget*>(parent());
}

void TFormShaper::setActive(bool on)
{
    QWidget* shaped = target();
    if (!shaped)
        return;
    if (!on) {
        clearTarget();
        active_ = false;
        return;
    }
    if (data_.isEmpty() || active_)
        return;
    active_ = true;
    applyRegion();
}

void TFormShaper::applyRegion()
{
    QWidget* shaped = target();
    const auto rects = decodeRegionData(data_);
    if (!shaped || !rects)
        return;
    region_ = regionOf(*rects);
    shaped->setMask(region_);
}

void TFormShaper::clearTarget()
{
    if (QWidget* shaped = target())
        shaped->clearMask();
    region_ = QRegion();
}

void TFormShaper::setControlToShape(QWidget* control)
{
    if (active_)
        setActive(false);
    disconnect(destroyedConnection_);
    controlToShape_ = control;
    if (control)
        destroyedConnection_ =
            connect(control, &QObject::destroyed, this, [this] { core::guarded([this] { forgetControl(); }); });
}

void TFormShaper::forgetControl()
{
    controlToShape_ = nullptr;
    region_ = QRegion();
    active_ = false;
}

QByteArray TFormShaper::Shape() const
{
    return data_.isEmpty() ? QByteArray() : formShapeBlock(data_);
}

bool TFormShaper::setShape(const QByteArray& block)
{
    QByteArray copy = block;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    return readShape(buffer);
}

bool TFormShaper::readShape(QIODevice& device)
{
    const QByteArray head = device.read(4);
    const quint32 size = head.size() == 4 ? qFromLittleEndian<quint32>(head.constData()) : 0;
    if (head.isEmpty() || (head.size() == 4 && size == 0)) {
        clearTarget();
        data_.clear();
        active_ = false;
        return true;
    }
    if (head.size() < 4 || size > kMaxRegionBytes)
        return false;
    if (!device.isSequential() && device.bytesAvailable() < qint64(size))
        return false;
    const QByteArray body = device.read(size);
    if (body.size() != qsizetype(size) || !decodeRegionData(body))
        return false;
    data_ = body;
    if (active_)
        applyRegion();
    return true;
}

void TFormShaper::writeShape(QIODevice& device) const
{
    if (!data_.isEmpty())
        device.write(Shape());
}

} // namespace support
