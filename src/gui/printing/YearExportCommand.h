#pragma once
// "Export current common year to HTML documents": the linked year pages in the
// data folder's Export/HTML/<year>, then a message that says where they are or
// why they could not be written.
#include <QWidget>
#include <string>

namespace varnel {

class CalendarSource;
struct ViewState;
struct YearViewModel;

// yearView is filled for the state's common year. The month pages are
// rendered from a copy of the state, so the window's displayed month stays.
// Returns the index path, or empty when the export failed.
std::string ExportYearToHtml(QWidget* owner, const YearViewModel& yearView, CalendarSource& source,
                             const ViewState& state);

}  // namespace varnel
