#include "common/TempProgramFolder.h"
#include "support/JpegLoader.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <random>
#include <sys/stat.h>

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

} // namespace

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
