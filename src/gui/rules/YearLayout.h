#pragma once
// Where the year panel's title, buttons, month names and twelve grids go for
// a panel size, all in twips.
#include <array>

namespace varnel {

// Where the year panel's parts go for a panel size (twips).
struct TwipsRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};
struct YearLayout {
    int titleWidth = 0;
    int nextButtonLeft = 0;
    std::array<TwipsRect, 12> grids;
    std::array<TwipsRect, 12> labels;
};
inline constexpr int kYearGridsTop = 600;
inline constexpr int kYearLabelAbove = 195;
YearLayout LayOutYear(int panelWidth, int panelHeight, int nextButtonWidth);

}  // namespace varnel
