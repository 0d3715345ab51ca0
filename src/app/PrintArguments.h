#pragma once
// The printouts' own arguments; each parser throws UsageError with a one-line text.
#include <string>

#include "core/printing/Document.h"

namespace varnel::cli {

// --paper (a4, letter, a5; empty: the locale's) and --dpi (30..1200; empty: 150).
PaperSize ParsePaper(const std::string& text);
int ParseDpi(const std::string& text);

}  // namespace varnel::cli
