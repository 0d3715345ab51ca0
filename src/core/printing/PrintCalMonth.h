#pragma once
// The displayed month the print dialog prints: the month view's grid and
// title, its bounds and the inputs of its Shabbat rows.
#include <cstdint>
#include <string>

#include "core/printing/ShabbatRows.h"
#include "core/views/Grid.h"

namespace varnel {

struct PrintCalMonth {
    const Grid* grid = nullptr;
    std::string title;
    int32_t firstDay = 0;
    int32_t lastDay = 0;
    ShabbatInputs shabbat;
};

}  // namespace varnel
