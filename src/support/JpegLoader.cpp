#include "JpegLoader.h"

#include "core/Errors.h"
#include "core/UserFiles.h"

#include <QFile>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <jpeglib.h>

namespace support {

namespace {

constexpr long kMaxSide = 16000;
constexpr long long kMaxPixels = 100LL * 1000 * 1000;

struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
    int warnings;
};

extern "C" void onJpegError(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1);
}

extern "C" void onJpegMessage(j_common_ptr info, int level)
{
    if (level < 0)
        ++reinterpret_cast<ErrorManager*>(info->err)->warnings;
}

struct Decoded {
    unsigned char* pixels; // RGB888, malloc'ed
    unsigned char* row;    // one CMYK row while decoding, malloc'ed
    unsigned width;
    unsigned height;
};

void release(Decoded* out)
{
    std::free(out->pixels);
    std::free(out->row);
    out->pixels = nullptr;
    out->row = nullptr;
}

// Adobe's CMYK files store the inks inverted; others store them as they are.
void cmykToRgb(const unsigned char* cmyk, unsigned char* rgb, unsigned width, bool inverted)
{
    for (unsigned x = 0; x < width; ++x, cmyk += 4, rgb += 3) {
        const unsigned k = inverted ? cmyk[3] : 255u - cmyk[3];
        for (int c = 0; c < 3; ++c)
            rgb[c] = static_cast<unsigned char>((inverted ? cmyk[c] : 255u - cmyk[c]) * k / 255u);
    }
}

// Holds no C++ object with a destructor: the error manager leaves through longjmp.
bool decodeRaw(const unsigned char* data, unsigned long size, Decoded* out)
{
    jpeg_decompress_struct info;
    ErrorManager errors;
    std::memset(&info, 0, sizeof info);
    out->pixels = nullptr;
    out->row = nullptr;
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = onJpegError;
    errors.base.emit_message = onJpegMessage;
    errors.warnings = 0;
    if (setjmp(errors.jump)) {
        jpeg_destroy_decompress(&info);
        release(out);
        return false;
    }
    jpeg_create_decompress(&info);
    info.mem->max_memory_to_use = 512L * 1024 * 1024;
    jpeg_mem_src(&info, data, size);
    if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK || info.image_width > kMaxSide
        || info.image_height > kMaxSide
        || (long long)info.image_width * info.image_height > kMaxPixels) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    // libjpeg turns CMYK into nothing but CMYK: the RGB comes from us.
    const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
    info.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
    jpeg_start_decompress(&info);
    const size_t stride = size_t(info.output_width) * 3;
    out->width = info.output_width;
    out->height = info.output_height;
    out->pixels = static_cast<unsigned char*>(std::malloc(stride * info.output_height));
    if (cmyk)
        out->row = static_cast<unsigned char*>(std::malloc(size_t(info.output_width) * 4));
    if (!out->pixels || (cmyk && !out->row) || info.output_components != (cmyk ? 4 : 3)) {
        jpeg_destroy_decompress(&info);
        release(out);
        return false;
    }
    while (info.output_scanline < info.output_height) {
        unsigned char* target = out->pixels + stride * info.output_scanline;
        JSAMPROW row = cmyk ? out->row : target;
        jpeg_read_scanlines(&info, &row, 1);
        if (cmyk)
            cmykToRgb(out->row, target, info.output_width, info.saw_Adobe_marker);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    std::free(out->row);
    out->row = nullptr;
    if (errors.warnings > 0) {
        release(out);
        return false;
    }
    return true;
}

} // namespace

std::optional<QImage> decodeJpeg(const QByteArray& bytes)
{
    if (bytes.isEmpty())
        return std::nullopt;
    Decoded decoded{};
    if (!decodeRaw(reinterpret_cast<const unsigned char*>(bytes.constData()), (unsigned long)bytes.size(), &decoded))
        return std::nullopt;
    QImage image(int(decoded.width), int(decoded.height), QImage::Format_RGB888);
    const size_t stride = size_t(decoded.width) * 3;
    for (unsigned y = 0; y < decoded.height && !image.isNull(); ++y)
        std::memcpy(image.scanLine(int(y)), decoded.pixels + stride * y, stride);
    release(&decoded);
    if (image.isNull())
        return std::nullopt;
    return image;
}

std::optional<QByteArray> readPictureFile(const QString& path)
{
    // The program's own pictures are built in; only files on disk can be a pipe or a device.
    if (path.startsWith(QLatin1String(":/"))) {
        QFile resource(path);
        if (!resource.open(QIODevice::ReadOnly))
            return std::nullopt;
        return resource.readAll();
    }
    return core::readRegularFile(path, kMaxPictureFileBytes);
}

std::optional<QImage> loadJpegFile(const QString& path)
{
    const std::optional<QByteArray> bytes = readPictureFile(path);
    return bytes ? decodeJpeg(*bytes) : std::nullopt;
}

QImage loadJpegFileOrThrow(const QString& path)
{
    if (auto image = loadJpegFile(path))
        return *image;
    throw core::EInOutError(QStringLiteral("Cannot load the picture \"%1\"").arg(path));
}

} // namespace support
