#include "common/TempProgramFolder.h"
#include "support/JpegLoader.h"

#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <jpeglib.h>
#include <random>
#include <sys/stat.h>
#include <vector>

namespace {

QByteArray placeholderBytes()
{
    QFile file(testing_support::sourceDir() + QStringLiteral("/resources/Billeder/Ingen.jpg"));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

// Writes new dimensions into the first start-of-frame marker.
QByteArray withDimensions(QByteArray jpeg, int width, int height)
{
    for (int i = 0; i + 9 < jpeg.size(); ++i) {
        const auto marker = static_cast<unsigned char>(jpeg[i + 1]);
        if (static_cast<unsigned char>(jpeg[i]) == 0xFF && (marker == 0xC0 || marker == 0xC2)) {
            jpeg[i + 5] = char(height >> 8);
            jpeg[i + 6] = char(height & 0xFF);
            jpeg[i + 7] = char(width >> 8);
            jpeg[i + 8] = char(width & 0xFF);
            break;
        }
    }
    return jpeg;
}

// A CMYK JPEG of one colour, as a print program writes it. With the Adobe marker the inks are
// stored inverted (Photoshop's habit); without it, as they are.
QByteArray cmykJpeg(int width, int height, const unsigned char ink[4], bool adobe)
{
    jpeg_compress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = JDIMENSION(width);
    info.image_height = JDIMENSION(height);
    info.input_components = 4;
    info.in_color_space = JCS_CMYK;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 100, TRUE);
    info.write_Adobe_marker = adobe ? TRUE : FALSE;
    jpeg_start_compress(&info, TRUE);
    std::vector<unsigned char> row(size_t(width) * 4);
    for (int x = 0; x < width; ++x)
        for (int c = 0; c < 4; ++c)
            row[size_t(x) * 4 + size_t(c)] = adobe ? 255 - ink[c] : ink[c];
    while (info.next_scanline < info.image_height) {
        JSAMPROW pointer = row.data();
        jpeg_write_scanlines(&info, &pointer, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    QByteArray bytes(reinterpret_cast<const char*>(buffer), qsizetype(size));
    std::free(buffer);
    return bytes;
}

} // namespace

TEST(JpegLoader, DecodesACmykPictureInItsColours)
{
    const struct {
        unsigned char ink[4];
        QColor colour;
    } cases[] = {
        {{0, 255, 255, 0}, QColor(255, 0, 0)},   // magenta and yellow: red
        {{255, 0, 0, 0}, QColor(0, 255, 255)},   // cyan
        {{0, 0, 0, 255}, QColor(0, 0, 0)},       // black ink
        {{0, 0, 0, 0}, QColor(255, 255, 255)},   // no ink: the paper
    };
    for (const bool adobe : {true, false}) {
        for (const auto& c : cases) {
            const auto image = support::decodeJpeg(cmykJpeg(40, 30, c.ink, adobe));
            ASSERT_TRUE(image.has_value()) << "adobe " << adobe;
            EXPECT_EQ(image->size(), QSize(40, 30));
            const QColor seen = image->pixelColor(20, 15);
            EXPECT_NEAR(seen.red(), c.colour.red(), 3) << c.colour.name().toStdString() << " adobe " << adobe;
            EXPECT_NEAR(seen.green(), c.colour.green(), 3) << c.colour.name().toStdString() << " adobe " << adobe;
            EXPECT_NEAR(seen.blue(), c.colour.blue(), 3) << c.colour.name().toStdString() << " adobe " << adobe;
        }
    }
}

TEST(JpegLoader, DecodesAShippedPicture)
{
    const auto image = support::decodeJpeg(placeholderBytes());
    ASSERT_TRUE(image.has_value());
    EXPECT_EQ(image->size(), QSize(226, 156));
}

TEST(JpegLoader, BrokenInputIsNotAPicture)
{
    const QByteArray good = placeholderBytes();
    EXPECT_FALSE(support::decodeJpeg(QByteArray()).has_value());
    EXPECT_FALSE(support::decodeJpeg(QByteArray("not a picture at all")).has_value());
    EXPECT_FALSE(support::decodeJpeg(good.left(good.size() / 2)).has_value()) << "truncated";
    EXPECT_FALSE(support::decodeJpeg(withDimensions(good, 20000, 20000)).has_value()) << "oversized header";
    EXPECT_FALSE(support::decodeJpeg(withDimensions(good, 15000, 15000)).has_value()) << "beyond 100 megapixels";
    EXPECT_FALSE(support::loadJpegFile(QStringLiteral("/nonexistent/Front0001-00.jpg")).has_value());
}

TEST(JpegLoader, MutatedPicturesNeverCrash)
{
    const QByteArray good = placeholderBytes();
    std::mt19937 random(1234);
    int decoded = 0;
    for (int round = 0; round < 3000; ++round) {
        QByteArray bytes = good;
        const int flips = 1 + int(random() % 8);
        for (int f = 0; f < flips; ++f)
            bytes[int(random() % bytes.size())] = char(random() & 0xFF);
        if (round % 5 == 0)
            bytes.truncate(int(random() % bytes.size()));
        if (auto image = support::decodeJpeg(bytes)) {
            ++decoded;
            EXPECT_LE(image->width(), 16000);
        }
    }
    EXPECT_LT(decoded, 3000) << "some mutations must be refused";
}

// A pipe would block the program in open() for ever, a device would be read without end: only
// a regular file of a bounded size is read, whatever name or link leads to it.
TEST(JpegLoader, OnlyARegularFileOfABoundedSizeIsRead)
{
    QTemporaryDir dir;
    const auto path = [&](const char* name) { return dir.filePath(QString::fromLatin1(name)); };
    ASSERT_EQ(mkfifo(QFile::encodeName(path("Front0001-00.jpg")).constData(), 0644), 0);
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), path("Front0002-00.jpg")));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("Front0003-00.jpg")));
    QFile huge(path("Front0004-00.jpg"));
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly));
    ASSERT_TRUE(huge.resize(support::kMaxPictureFileBytes + 1)); // sparse: costs no disk
    huge.close();
    for (const char* name : {"Front0001-00.jpg", "Front0002-00.jpg", "Front0003-00.jpg", "Front0004-00.jpg"}) {
        EXPECT_FALSE(support::readPictureFile(path(name)).has_value()) << name;
        EXPECT_FALSE(support::loadJpegFile(path(name)).has_value()) << name;
    }

    QFile good(path("good.jpg"));
    ASSERT_TRUE(good.open(QIODevice::WriteOnly));
    good.write(placeholderBytes());
    good.close();
    ASSERT_TRUE(QFile::link(path("good.jpg"), path("Front0005-00.jpg")));
    const auto linked = support::loadJpegFile(path("Front0005-00.jpg"));
    ASSERT_TRUE(linked.has_value()) << "a link to a picture is followed";
    EXPECT_EQ(linked->size(), QSize(226, 156));
}
