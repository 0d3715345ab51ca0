#pragma once
// The print commands of the main window's menu and toolbar: the current
// view, and the month's Shabbat hours and portions. They take the views'
// models and the month's inputs as values.
#include <QWidget>
#include <string>

#include "core/printing/ShabbatRows.h"

namespace varnel {

struct DayViewModel;
struct YearViewModel;

struct PrintViews {
    int view = 2;  // 1 day, 2 month, 3 year: the view the window shows
    const DayViewModel* day = nullptr;
    const YearViewModel* year = nullptr;
    ShabbatInputs shabbat;  // the displayed month
    std::string monthTitle;
};

// "&Print current view": the day view and the Shabbat table straight to the
// printer, the year view through the preview. The month view's page comes
// with its print dialog; until then it previews the month's Shabbat table.
void PrintCurrentView(QWidget* owner, const PrintViews& views);
void PrintDayView(QWidget* owner, const DayViewModel& day);
void PrintYearView(QWidget* owner, const YearViewModel& year);
// "Print &Shabbat hours and parashot for displayed month".
void PrintShabbatHours(QWidget* owner, const ShabbatInputs& month, const std::string& monthTitle);

}  // namespace varnel
