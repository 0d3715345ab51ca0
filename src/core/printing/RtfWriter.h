#pragma once
// Writes a composed document as Rich Text that word processors open as the
// printed page: the paper and margins, header and footer, every table as a
// table (column widths, row heights, spans, cell colours, fonts, bold and
// italic), the picture embedded, and the text boxes as shapes placed on the
// page in front of the text. "\", "{" and "}" are escaped; every character
// beyond ASCII is written as \uN?.
#include <string>

#include "core/printing/Document.h"
#include "core/printing/PictureFile.h"

namespace varnel {

// A picture the loader cannot read keeps its space empty.
std::string WriteRtf(const Document& doc, const PictureLoader& loadPicture);

// One text as RTF: escapes, \uN? for non-ASCII, "\line" for line breaks.
std::string EscapeRtf(std::string_view utf8);

}  // namespace varnel
