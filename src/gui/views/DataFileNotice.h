#pragma once
// Tells the user, once, which calendar data files a folder lacks: without them
// the views would show a year with no holy days or portions and say nothing.
#include <QWidget>
#include <string>

namespace varnel {

// Opens a warning beside the window (without blocking it) when a file is
// missing; returns whether one was shown.
bool NoticeMissingDataFiles(QWidget* parent, const std::string& folder);

}  // namespace varnel
