#pragma once
// Where the texts of a page band and the columns of a table go so that
// nothing overlaps and every word has room: the arithmetic the page layout
// follows, on the widths its fonts report. Lengths are twips.
#include <array>
#include <string>
#include <vector>

#include "core/printing/TextFit.h"

namespace varnel {

// One line of a header or footer: part 0 left, 1 centre, 2 right, set in a
// box `left`..`left + width` from the band's left edge with the part's alignment.
struct BandLine {
    int part = 0;
    std::string text;
    double left = 0;
    double top = 0;
    double width = 0;
};
struct FittedBand {
    double size = 0;
    std::vector<BandLine> lines;
};

// The three parts of a band in its box: each across the whole width, at the
// largest size from the band's own down to the floor at which the parts
// leave each other room and the lines fit the height (blank lines that only
// space the parts are given up before the size is). When nothing fits at the
// floor, each part takes a third of the width and is shortened to it.
FittedBand FitBand(const std::array<std::string, 3>& parts, double size, double floor, double width, double height,
                   const TextMeasure& measure);

// Column widths traded so each column holds its longest word (needs): the
// columns short of their need take width from those with room to spare, in
// proportion to it; the sum stays. Columns keep their widths when none is short.
std::vector<double> BalanceColumns(std::vector<double> widths, const std::vector<double>& needs);

// Column widths that make a table's rows lowest: width moves a step at a
// time from one column to another while that lowers the sum of the rows'
// heights, no column going below its need. cells[row][col] are the texts
// measured in their fonts; pads the insets of each column, both sides together.
std::vector<double> ShapeColumns(std::vector<double> widths, const std::vector<double>& needs,
                                 const std::vector<std::vector<MeasuredText>>& cells, const std::vector<double>& pads);

}  // namespace varnel
