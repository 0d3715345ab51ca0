#pragma once
// Writes a composed document as one HTML5 page that looks like the printed
// one: the page's width and margins, every table as a table with its column
// widths, row heights, spans, colours and fonts, the pictures and text boxes
// where the page puts them, and the header and footer. UTF-8; every text is
// escaped. Each table cell stands on a line of its own, so a caption can be
// found (and linked) line by line.
#include <functional>
#include <string>

#include "core/printing/Document.h"

namespace varnel {

struct HtmlOptions {
    std::string title;  // the page's <title>
    // The address of a picture for the page (a file next to it), or empty to
    // leave the picture's box empty.
    std::function<std::string(const std::string& picturePath)> pictureHref;
};

std::string WriteHtml(const Document& doc, const HtmlOptions& options);

// "&amp;", "&lt;", "&gt;", "&quot;", "&#39;".
std::string EscapeHtml(std::string_view text);

}  // namespace varnel
