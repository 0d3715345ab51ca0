#include "app/AppIcon.h"

#include <png.h>

#include <QFile>
#include <QImage>
#include <QPixmap>

namespace varnel {
namespace {

// Decodes a PNG with libpng, which Qt's own PNG reader is built on. Any
// QImageReader, even one told the format, first asks every image-format
// plugin whether it reads it, which loads them all at start for icons
// that PNG alone can read.
QImage PngImage(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    const QByteArray data = file.readAll();
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&png, data.constData(), static_cast<size_t>(data.size()))) return {};
    // BGRA bytes in memory are Qt's ARGB32 words on a little-endian machine.
    png.format = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? PNG_FORMAT_BGRA : PNG_FORMAT_ARGB;
    QImage image(static_cast<int>(png.width), static_cast<int>(png.height), QImage::Format_ARGB32);
    if (image.isNull() ||
        !png_image_finish_read(&png, nullptr, image.bits(), static_cast<png_int_32>(image.bytesPerLine()), nullptr)) {
        png_image_free(&png);
        return {};
    }
    return image;
}

}  // namespace

QIcon ApplicationIcon() {
    QIcon icon;
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QImage image = PngImage(QStringLiteral(":/icons/%1x%1/apps/varnel.png").arg(size));
        if (!image.isNull()) icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}

}  // namespace varnel
