// Region data in the FormShape layout, the outline of a picture, and the form shaper's rules.
#include "support/FormShaper.h"
#include "support/JpegLoader.h"

#include <QBuffer>
#include <QFile>
#include <QtEndian>
#include <gtest/gtest.h>
#include <limits>

using support::TFormShaper;

namespace {

const std::vector<QRect> kRects = {QRect(11, 13, 5, 2), QRect(20, 13, 7, 2), QRect(11, 15, 30, 4),
                                   QRect(2, 40, 560, 6)};

QByteArray blockOf(const std::vector<QRect>& rects)
{
    return support::formShapeBlock(support::encodeRegionData(rects));
}

void putInt(QByteArray& data, int offset, qint32 value)
{
    qToLittleEndian(value, data.data() + offset);
}

// A device that does not know its size in advance, as a pipe.
class PipeDevice : public QIODevice {
public:
    explicit PipeDevice(QByteArray bytes) : bytes_(std::move(bytes)) { open(QIODevice::ReadOnly); }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char* data, qint64 maxSize) override
    {
        const qint64 n = std::min<qint64>(maxSize, bytes_.size() - pos_);
        std::memcpy(data, bytes_.constData() + pos_, size_t(n));
        pos_ += n;
        return n;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    QByteArray bytes_;
    qint64 pos_ = 0;
};

} // namespace

TEST(RegionData, RoundTripKeepsRectanglesAndBounds)
{
    const QByteArray data = support::encodeRegionData(kRects);
    ASSERT_EQ(data.size(), 32 + 16 * int(kRects.size()));
    EXPECT_EQ(qFromLittleEndian<qint32>(data.constData()), 32);
    EXPECT_EQ(qFromLittleEndian<qint32>(data.constData() + 4), 1);
    EXPECT_EQ(qFromLittleEndian<qint32>(data.constData() + 8), int(kRects.size()));
    EXPECT_EQ(qFromLittleEndian<qint32>(data.constData() + 12), 16 * int(kRects.size()));
    // Windows rectangles: right and bottom exclusive.
    EXPECT_EQ(qFromLittleEndian<qint32>(data.constData() + 32 + 8), 16);
    EXPECT_EQ(support::regionDataBounds(data), QRect(QPoint(2, 13), QPoint(561, 45)));

    const auto decoded = support::decodeRegionData(data);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(*decoded, kRects);

    TFormShaper shaper(nullptr);
    ASSERT_TRUE(shaper.setShape(blockOf(kRects)));
    EXPECT_EQ(shaper.Shape(), blockOf(kRects));
    QBuffer written;
    written.open(QIODevice::WriteOnly);
    shaper.writeShape(written);
    EXPECT_EQ(written.data(), blockOf(kRects));
}

TEST(RegionData, BrokenBlocksAreRefusedAndKeepTheOldShape)
{
    const QByteArray good = blockOf(kRects);
    const struct {
        const char* what;
        int offset; // into the block (after the 4-byte count); -1 for the count itself
        qint32 value;
    } breaks[] = {
        {"header size", 4, 40},
        {"region type", 8, 2},
        {"no rectangles", 12, 0},
        {"absurd rectangle count", 12, std::numeric_limits<qint32>::max()},
        {"count beyond the data", 12, 5},
        {"wrong byte size", 16, 48},
        {"inverted rectangle", 36 + 8, 0},
        {"absurd block size", 0, std::numeric_limits<qint32>::max()},
        {"block size beyond the stream", 0, 100000},
    };
    for (const auto& b : breaks) {
        QByteArray broken = good;
        putInt(broken, b.offset, b.value);
        TFormShaper shaper(nullptr);
        ASSERT_TRUE(shaper.setShape(blockOf({QRect(0, 0, 3, 3)})));
        EXPECT_FALSE(shaper.setShape(broken)) << b.what;
        EXPECT_EQ(shaper.Shape(), blockOf({QRect(0, 0, 3, 3)})) << b.what;
    }
    TFormShaper shaper(nullptr);
    EXPECT_FALSE(shaper.setShape(good.left(3)));
    EXPECT_FALSE(shaper.setShape(good.left(good.size() - 1)));
    EXPECT_FALSE(shaper.hasData());
}

TEST(RegionData, AbsurdCountFromAPipeIsRefusedWithoutReadingIt)
{
    QByteArray block(4, '\0');
    putInt(block, 0, 0x7ffffff0);
    block += support::encodeRegionData(kRects);
    PipeDevice pipe(block);
    TFormShaper shaper(nullptr);
    EXPECT_FALSE(shaper.readShape(pipe));
    EXPECT_FALSE(shaper.hasData());

    QByteArray shortBlock(4, '\0');
    putInt(shortBlock, 0, 1000000); // within the limit, but the pipe holds far less
    PipeDevice shortPipe(shortBlock + support::encodeRegionData(kRects));
    EXPECT_FALSE(shaper.readShape(shortPipe));
}

TEST(PictureOutline, BandsCoverExactlyTheForegroundPixels)
{
    QImage picture(12, 8, QImage::Format_RGB32);
    picture.fill(Qt::white);
    for (int y = 1; y <= 2; ++y)
        for (int x : {2, 3, 4, 7, 8})
            picture.setPixel(x, y, qRgb(0, 0, 128));
    for (int x = 1; x <= 10; ++x)
        picture.setPixel(x, 5, qRgb(255, 0, 0));
    picture.setPixel(11, 7, qRgb(236, 236, 236)); // near-white: background
    picture.setPixel(0, 7, qRgb(240, 240, 235));  // one channel at the level: foreground

    const auto rects = support::bandsOfPicture(picture);
    EXPECT_EQ(rects, std::vector<QRect>({QRect(2, 1, 3, 2), QRect(7, 1, 2, 2), QRect(1, 5, 10, 1),
                                         QRect(0, 7, 1, 1)}));
    QRegion region;
    region.setRects(rects.data(), int(rects.size()));
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            const QRgb pixel = picture.pixel(x, y);
            const bool foreground = qRed(pixel) <= 235 || qGreen(pixel) <= 235 || qBlue(pixel) <= 235;
            EXPECT_EQ(region.contains(QPoint(x, y)), foreground) << x << "," << y;
        }
}

TEST(PictureOutline, TheShippedSplashShapeIsTheOutlineOfTheSplashPicture)
{
    const QString pictures = qEnvironmentVariable("SPK_SOURCE_DIR") + QStringLiteral("/resources/pictures/");
    const auto picture = support::loadJpegFile(pictures + QStringLiteral("splash.jpg"));
    ASSERT_TRUE(picture);
    QFile shape(pictures + QStringLiteral("splash.shape"));
    ASSERT_TRUE(shape.open(QIODevice::ReadOnly));
    // Rebuild with: spolarkiv-makeshape resources/pictures/splash.jpg resources/pictures/splash.shape
    EXPECT_EQ(shape.readAll(), blockOf(support::bandsOfPicture(*picture)));
}

TEST(FormShaperActivation, WithoutDataNothingHappens)
{
    QWidget window;
    window.resize(100, 50);
    TFormShaper shaper(&window);
    shaper.setActive(true);
    EXPECT_FALSE(shaper.Active());
    EXPECT_TRUE(window.mask().isEmpty());
}

TEST(FormShaperActivation, ActivatingShapesOnceAndDeactivatingShowsTheWholeWindow)
{
    QWidget window;
    window.resize(600, 80);
    TFormShaper shaper(&window);
    ASSERT_TRUE(shaper.setShape(blockOf(kRects)));
    EXPECT_TRUE(window.mask().isEmpty());

    shaper.setActive(true);
    EXPECT_TRUE(shaper.Active());
    QRegion expected;
    expected.setRects(kRects.data(), int(kRects.size()));
    EXPECT_EQ(window.mask(), expected);

    window.clearMask(); // an already active shaper does not shape again
    shaper.setActive(true);
    EXPECT_TRUE(window.mask().isEmpty());
    EXPECT_TRUE(shaper.Active());

    shaper.setActive(true);
    shaper.setActive(false);
    EXPECT_FALSE(shaper.Active());
    EXPECT_TRUE(window.mask().isEmpty());
    shaper.setActive(true);
    EXPECT_EQ(window.mask(), expected);
}

TEST(FormShaperActivation, AnEmptyStreamRemovesTheShape)
{
    QWidget window;
    TFormShaper shaper(&window);
    ASSERT_TRUE(shaper.setShape(blockOf(kRects)));
    shaper.setActive(true);
    ASSERT_FALSE(window.mask().isEmpty());
    EXPECT_TRUE(shaper.setShape(QByteArray()));
    EXPECT_TRUE(window.mask().isEmpty());
    EXPECT_FALSE(shaper.hasData());
    EXPECT_TRUE(shaper.Shape().isEmpty());
    EXPECT_TRUE(shaper.region().isEmpty());
}

TEST(FormShaperTarget, ShapesTheControlToShapeAndForgetsItWhenDestroyed)
{
    QWidget window;
    auto* panel = new QWidget(&window);
    TFormShaper shaper(&window);
    ASSERT_TRUE(shaper.setShape(blockOf(kRects)));
    shaper.setControlToShape(panel);
    shaper.setActive(true);
    EXPECT_FALSE(panel->mask().isEmpty());
    EXPECT_TRUE(window.mask().isEmpty());

    delete panel;
    EXPECT_EQ(shaper.ControlToShape(), nullptr);
    EXPECT_FALSE(shaper.Active());
    shaper.setActive(true); // back to the owner
    EXPECT_FALSE(window.mask().isEmpty());
}

TEST(FormShaperTarget, ChangingTheTargetDeactivatesFirst)
{
    QWidget window;
    QWidget other;
    TFormShaper shaper(&window);
    ASSERT_TRUE(shaper.setShape(blockOf(kRects)));
    shaper.setActive(true);
    shaper.setControlToShape(&other);
    EXPECT_FALSE(shaper.Active());
    EXPECT_TRUE(window.mask().isEmpty());
    EXPECT_TRUE(other.mask().isEmpty());
}

TEST(FormShaperTarget, WithoutATargetNothingHappens)
{
    QObject owner;
    TFormShaper shaper(&owner);
    ASSERT_TRUE(shaper.setShape(blockOf(kRects)));
    shaper.setActive(true);
    EXPECT_FALSE(shaper.Active());
}

TEST(RegionData, RectanglesOutOfBandOrderStillMakeTheirRegion)
{
    const std::vector<QRect> loose = {QRect(10, 10, 20, 5), QRect(0, 0, 15, 15), QRect(12, 12, 30, 2)};
    EXPECT_FALSE(support::isBanded(loose));
    ASSERT_TRUE(support::decodeRegionData(support::encodeRegionData(loose)));
    const QRegion region = support::regionOf(loose);
    for (const QRect& rect : loose)
        EXPECT_EQ(region.intersected(rect), QRegion(rect));
    EXPECT_FALSE(region.contains(QPoint(20, 5)));
    EXPECT_TRUE(support::isBanded(kRects));

    std::vector<QRect> crossing;
    for (int i = 0; i < 3000; ++i) {
        crossing.emplace_back(0, i * 2, 6000, 1);
        crossing.emplace_back(i * 2, 0, 1, 6000);
    }
    EXPECT_FALSE(support::decodeRegionData(support::encodeRegionData(crossing)));
}
