#pragma once
// Saving a composed calendar page as a file: HTML (with the picture copied
// beside it), RTF (the picture embedded), PDF or a PNG of the page. Every file
// is written whole through a temporary file renamed into place, so a failure
// leaves the old file as it was and nothing half-written.
#include <QString>
#include <optional>
#include <string>

#include "core/printing/Document.h"
#include "core/printing/PictureFile.h"

namespace varnel {

enum class CalendarFileKind { Html, Rtf, Pdf, Png };

// The kind named by a file's extension (.htm, .html, .rtf, .pdf, .png, in any case).
std::optional<CalendarFileKind> CalendarFileKindOf(const QString& path);

// Reads a picture with Qt's image readers: JPEG and PNG as they are, any other
// format Qt reads (GIF, BMP, ...) converted to PNG; the size is the stored one.
bool LoadPictureWithQt(const std::string& path, PictureFile& out);

// Whether the picture file can be drawn.
bool PictureReadable(const QString& path);

// Writes doc to path. On failure returns false with "path: reason" in error.
bool ExportCalendarFile(const Document& doc, CalendarFileKind kind, const QString& path, const QString& title,
                        QString* error, int dpi = 150);

}  // namespace varnel
