#include "gui/rules/YearLayout.h"

#include <algorithm>

namespace varnel {

YearLayout LayOutYear(int panelWidth, int panelHeight, int nextButtonWidth) {
    YearLayout layout;
    const int w = std::max(0, panelWidth / 4 - 105);
    const int h = std::max(0, panelHeight / 3 - 370);
    layout.titleWidth = panelWidth;
    layout.nextButtonLeft = panelWidth - nextButtonWidth + 20;
    for (int m = 0; m < 12; ++m) {
        const int r = m / 4;
        const int c = m % 4;
        TwipsRect& g = layout.grids[static_cast<size_t>(m)];
        g.left = c == 0 ? 0 : c * (w + 135);
        g.top = kYearGridsTop + r * (h + 225);
        g.width = w;
        g.height = h;
        layout.labels[static_cast<size_t>(m)] = {g.left, g.top - kYearLabelAbove, w, kYearLabelAbove};
    }
    return layout;
}

}  // namespace varnel
