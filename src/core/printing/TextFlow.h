#pragma once
// Where the flow of a document stands while a text writer (HTML, RTF) walks
// its blocks: writers cannot measure text, so they follow the tops the
// composer set and the heights it gave, and leave blank space where a
// position block moves the flow down.
#include <algorithm>

#include "core/printing/Document.h"

namespace varnel {

// The blank space (twips) to leave for a position block; flowTop moves to
// where the flow continues. A top above the flow only resets the reckoning.
inline int SpaceForPosition(const Position& p, int& flowTop) {
    int space = 0;
    if (p.top) {
        if (*p.top > flowTop) space = *p.top - flowTop;
        flowTop = *p.top;
    }
    const int down = std::max(0, p.moveDown);
    flowTop += down;
    return space + down;
}

}  // namespace varnel
