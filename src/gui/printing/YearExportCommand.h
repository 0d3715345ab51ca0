#pragma once
// "Export current common year to HTML documents": the linked year pages in the
// data folder's Export/HTML/<year>, then a message that says where they are or
// why they could not be written.
#include <string>

class QWidget;

namespace varnel {

struct YearViewModel;

// yearView is filled for the year; the month pages are built from the data
// files for it, so the window's displayed month is not touched.
// Returns the index path, or empty when the export failed.
std::string ExportYearToHtml(QWidget* owner, const YearViewModel& yearView, const std::string& city, int colorScheme,
                             bool floatDetails);

}  // namespace varnel
