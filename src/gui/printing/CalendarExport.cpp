#include "gui/printing/CalendarExport.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>

#include "core/common/Files.h"
#include "core/printing/HtmlWriter.h"
#include "core/printing/RtfWriter.h"
#include "core/printing/YearExport.h"
#include "gui/printing/DocumentLayout.h"
#include "gui/printing/DocumentOutput.h"

namespace varnel {

std::optional<CalendarFileKind> CalendarFileKindOf(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("htm") || suffix == QLatin1String("html")) return CalendarFileKind::Html;
    if (suffix == QLatin1String("rtf")) return CalendarFileKind::Rtf;
    if (suffix == QLatin1String("pdf")) return CalendarFileKind::Pdf;
    if (suffix == QLatin1String("png")) return CalendarFileKind::Png;
    return std::nullopt;
}

bool LoadPictureWithQt(const std::string& path, PictureFile& out) {
    // A camera's photo may be large; a file past this is no picture for a page.
    constexpr size_t kPictureSizeLimit = 64u << 20;
    std::string bytes;
    if (path.empty() || !ReadRegularFile(path, bytes, kPictureSizeLimit).ok()) return false;
    PictureFile file;
    QImage image;
    {
        const QByteArray data = QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()));
        QBuffer device;
        device.setData(data);
        device.open(QIODevice::ReadOnly);
        QImageReader reader(&device);
        const QByteArray format = reader.format();
        const QSize size = reader.size();
        // JPEG and PNG are embedded as they are, any other format as a PNG.
        if ((format == "jpeg" || format == "png") && !size.isEmpty()) {
            file.kind = format == "png" ? PictureFile::Kind::Png : PictureFile::Kind::Jpeg;
            file.width = size.width();
            file.height = size.height();
        } else {
            image = reader.read();
            if (image.isNull()) return false;
        }
    }
    if (image.isNull()) {
        file.bytes = std::move(bytes);
    } else {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        if (!image.save(&buffer, "PNG")) return false;
        file.kind = PictureFile::Kind::Png;
        file.width = image.width();
        file.height = image.height();
        file.bytes = png.toStdString();
    }
    out = std::move(file);
    return true;
}

bool PictureReadable(const QString& path) {
    // Only a regular file: a pipe would keep the reader waiting.
    if (path.isEmpty() || !QFileInfo(path).isFile()) return false;
    QImageReader reader(path);
    return reader.canRead() && reader.size().isValid();
}

namespace {

bool Fail(QString* error, const std::string& reason) {
    if (error) *error = QString::fromStdString(reason);
    return false;
}

// The document's picture copied beside the HTML file as "<name>-picture.jpg"
// (or .png); the address is relative, so the two files move together.
struct HtmlPicture {
    std::string source;
    std::string href;
    std::string path;
};

}  // namespace

bool ExportCalendarFile(const Document& doc, CalendarFileKind kind, const QString& path, const QString& title,
                        QString* error, int dpi) {
    const std::string target = path.toStdString();
    std::string reason;
    switch (kind) {
    case CalendarFileKind::Pdf:
    case CalendarFileKind::Png: {
        const DocumentLayout layout(doc);
        QString why;
        const bool ok = kind == CalendarFileKind::Pdf ? WritePdf(layout, path, &why) : WritePng(layout, path, dpi, &why);
        if (!ok) return Fail(error, target + ": " + why.toStdString());
        return true;
    }
    case CalendarFileKind::Rtf:
        if (!SaveFileWhole(target, WriteRtf(doc, LoadPictureWithQt), reason)) return Fail(error, reason);
        return true;
    case CalendarFileKind::Html: {
        std::vector<HtmlPicture> pictures;
        const QFileInfo info(path);
        for (const Block& block : doc.Blocks()) {
            const Picture* p = std::get_if<Picture>(&block);
            PictureFile file;
            if (!p || !LoadPictureWithQt(p->path, file)) continue;
            HtmlPicture copy;
            copy.source = p->path;
            copy.href = (info.completeBaseName() + QStringLiteral("-picture")).toStdString() +
                        (pictures.empty() ? "" : std::to_string(pictures.size() + 1)) + PictureExtension(file.kind);
            copy.path = info.dir().filePath(QString::fromStdString(copy.href)).toStdString();
            if (!SaveFileWhole(copy.path, file.bytes, reason)) {
                for (const HtmlPicture& written : pictures) QFile::remove(QString::fromStdString(written.path));
                return Fail(error, reason);
            }
            pictures.push_back(copy);
        }
        HtmlOptions options;
        options.title = title.toStdString();
        options.pictureHref = [&pictures](const std::string& source) {
            for (const HtmlPicture& p : pictures)
                if (p.source == source) return p.href;
            return std::string();
        };
        if (!SaveFileWhole(target, WriteHtml(doc, options), reason)) {
            for (const HtmlPicture& written : pictures) QFile::remove(QString::fromStdString(written.path));
            return Fail(error, reason);
        }
        return true;
    }
    }
    return Fail(error, target + ": unknown kind of file");
}

}  // namespace varnel
