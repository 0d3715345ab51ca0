#include "app/AppIcon.h"

#include <png.h>

#include <QFile>
#include <QIconEngine>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <array>
#include <map>

namespace varnel {
namespace {

constexpr std::array<int, 8> kDrawnSizes = {16, 22, 24, 32, 48, 64, 128, 256};

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

// The icon's sizes are decoded when the platform first asks for them: a
// window system that shows no icons (or asks for one size) decodes none (or one).
class DrawnIconEngine : public QIconEngine {
public:
    QIconEngine* clone() const override { return new DrawnIconEngine(*this); }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
        QList<QSize> sizes;
        for (const int size : kDrawnSizes) sizes.append(QSize(size, size));
        return sizes;
    }

    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override {
        const int side = std::min(size.width(), size.height());
        return QSize(std::min(side, kDrawnSizes.back()), std::min(side, kDrawnSizes.back()));
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        const QSize actual = actualSize(size, mode, state);
        if (actual.isEmpty()) return {};
        const QPixmap& drawn = Drawn(actual.width());
        return drawn.size() == actual ? drawn
                                      : drawn.scaled(actual, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
        painter->drawPixmap(rect, pixmap(rect.size(), mode, state));
    }

    QString key() const override { return QStringLiteral("varnel-drawn"); }

private:
    // The drawn size nearest above the side (the largest when none is).
    const QPixmap& Drawn(int side) {
        int chosen = kDrawnSizes.back();
        for (const int size : kDrawnSizes)
            if (size >= side) {
                chosen = size;
                break;
            }
        auto it = decoded_.find(chosen);
        if (it == decoded_.end())
            it = decoded_.emplace(chosen, QPixmap::fromImage(PngImage(QStringLiteral(":/icons/%1x%1/apps/varnel.png").arg(chosen))))
                     .first;
        return it->second;
    }

    std::map<int, QPixmap> decoded_;
};

}  // namespace

QIcon ApplicationIcon() { return QIcon(new DrawnIconEngine); }

}  // namespace varnel
