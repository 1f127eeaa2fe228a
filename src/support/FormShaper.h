#pragma once
// Cuts a window to a stored shape. The shape is kept as a "FormShape" block: a 32-bit
// little-endian byte count N, then N bytes of region data in the Windows RGNDATA layout (a
// 32-byte header: header size 32, type 1, rectangle count, byte size of the rectangles, bounding
// rectangle; then the rectangles as left, top, right, bottom, each a little-endian int32, right
// and bottom exclusive). Blocks come from files and resources and are checked before use: a
// broken one is refused, and nothing is allocated beyond what the block really holds.
//
// Applying a shape is QWidget::setMask with the region of the rectangles, in the target's
// client coordinates (for a frameless window these are its window coordinates).
#include <QByteArray>
#include <QImage>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QRegion>
#include <QWidget>
#include <optional>
#include <vector>

class QIODevice;

namespace support {

/// Region data (the N bytes, without the count) for the rectangles, bounding box included.
QByteArray encodeRegionData(const std::vector<QRect>& rects);
/// The rectangles of region data; std::nullopt when the data is not a usable region
/// (wrong header, counts that do not fit the data, inverted rectangles, no rectangle).
std::optional<std::vector<QRect>> decodeRegionData(const QByteArray& data);
/// True when the rectangles are in Windows' banded order: sorted by top then left, the
/// rectangles of one band sharing top and bottom and neither touching nor overlapping.
bool isBanded(const std::vector<QRect>& rects);
/// The region the rectangles cover (any order, overlaps allowed).
QRegion regionOf(const std::vector<QRect>& rects);
/// The bounding rectangle stored in the header of valid region data.
QRect regionDataBounds(const QByteArray& data);
/// A whole "FormShape" block: count and region data.
QByteArray formShapeBlock(const QByteArray& regionData);

/// The pixels of the picture that are not background (any channel at or below
/// backgroundLevel) as horizontal bands of rectangles, sorted by top then left; the
/// rectangles of one band share top and bottom, as Windows keeps region data.
std::vector<QRect> bandsOfPicture(const QImage& picture, int backgroundLevel = 235);

class TFormShaper : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool Active READ Active WRITE setActive)
public:
    /// owner: the window shaped when ControlToShape is not set. Owned by owner.
    explicit TFormShaper(QObject* owner);
    ~TFormShaper() override;

    bool Active() const { return active_; }
    /// On: with stored data and not yet active, shapes the target. Off: removes the shape.
    /// With no target (no ControlToShape and an owner that is not a widget) nothing happens.
    void setActive(bool on);

    QWidget* ControlToShape() const { return controlToShape_; }
    /// An active shaper is first set inactive. When the control is destroyed the shaper
    /// forgets it and becomes inactive.
    void setControlToShape(QWidget* control);

    /// The stored block as it would be written; empty when there is no data.
    QByteArray Shape() const;
    /// Loads a block (see readShape).
    bool setShape(const QByteArray& block);
    /// Reads one block from the device. An empty device removes the shape from the target and
    /// clears the stored data. A broken block is refused (false) and changes nothing. When
    /// active, new data shapes the target at once.
    bool readShape(QIODevice& device);
    /// Writes the stored block (nothing when there is no data).
    void writeShape(QIODevice& device) const;

    bool hasData() const { return !data_.isEmpty(); }
    /// The region last given to the target.
    const QRegion& region() const { return region_; }

private:
    QWidget* target() const;
    void applyRegion();
    void clearTarget();
    void forgetControl();

    QRegion region_;
    QByteArray data_;
    bool active_ = false;
    QPointer<QWidget> controlToShape_;
    QMetaObject::Connection destroyedConnection_;
};

} // namespace support
