#pragma once
// Arial's advance widths (the same as Helvetica's, which Arial was drawn to
// match), for writers that cannot ask a font: enough to tell whether a word
// fits a cell of an RTF table. Characters beyond ASCII count as wide letters.
#include "core/printing/TextFit.h"

namespace varnel {

TextMeasure ArialMeasure(bool bold);

}  // namespace varnel
