#pragma once
// The view titles: white text on the scheme's Shabbat colour.
#include <QLabel>

#include "core/views/Grid.h"

namespace varnel {

// Colours the title through its palette: a style sheet would parse, and
// restyle the label through a style of its own, at every start.
void SetTitleColors(QLabel* title, Color background);

}  // namespace varnel
