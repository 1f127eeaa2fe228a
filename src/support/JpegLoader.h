#pragma once
// JPEG decoding with libjpeg. Picture files are untrusted: anything libjpeg warns about, a
// truncated file, or a picture beyond 16,000 x 16,000 or 100 megapixels is "not a readable
// picture". Never exits, never throws through libjpeg.
#include <QByteArray>
#include <QImage>
#include <QString>
#include <optional>

namespace support {

/// Decodes JPEG bytes; std::nullopt when they are not a readable picture.
std::optional<QImage> decodeJpeg(const QByteArray& bytes);
/// Picture files beyond this size are not read.
constexpr qint64 kMaxPictureFileBytes = 256LL * 1024 * 1024;

/// The bytes of a picture file (also ":/" resources); std::nullopt unless it is a regular file
/// (after following links) of at most kMaxPictureFileBytes. Never waits on a pipe or a device.
std::optional<QByteArray> readPictureFile(const QString& path);
/// Reads and decodes a file (also ":/" resources); std::nullopt when missing, unreadable or
/// no regular file of a bounded size.
std::optional<QImage> loadJpegFile(const QString& path);
/// As loadJpegFile, but throws EInOutError naming the file when it cannot be loaded.
QImage loadJpegFileOrThrow(const QString& path);

} // namespace support
