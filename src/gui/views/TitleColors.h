#pragma once
// The view titles: white text on the scheme's Shabbat colour.
#include <QLabel>

#include "core/views/Grid.h"

namespace varnel {

// Restyles the title only when its colour changed: a new style sheet costs
// more than the rest of a rendering.
void SetTitleColors(QLabel* title, Color background);

}  // namespace varnel
