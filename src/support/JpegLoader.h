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
/// Reads and decodes a file (also ":/" resources); std::nullopt when missing or unreadable.
std::optional<QImage> loadJpegFile(const QString& path);
/// As loadJpegFile, but throws EInOutError naming the file when it cannot be loaded.
QImage loadJpegFileOrThrow(const QString& path);

} // namespace support
