#pragma once
#include <QWidget>

#include "core/common/DataFileReport.h"

namespace varnel {

// Shows what went wrong with the data files in a message box over the window,
// without blocking the start-up; does nothing when all is well.
void ShowDataFileReport(QWidget* parent, const DataFileReport& report);

}  // namespace varnel
