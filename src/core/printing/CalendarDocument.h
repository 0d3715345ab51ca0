#pragma once
// The printed calendar page of a month: an optional picture across the top, the
// title bar, the month table whose day cells repeat the month grid's texts and
// colours, the table of the month's Shabbatot and the day numbers in the
// corners of the day cells; page-sized or pocket-sized (a third of A5).
// The same document is printed, previewed and exported.
#include <string>

#include "core/common/Date.h"
#include "core/printing/CalendarPage.h"
#include "core/printing/Document.h"
#include "core/printing/ShabbatRows.h"

namespace varnel {

// Everything a calendar page is composed from: the month as the month view
// shows it, and the options the print dialog or the command line chose.
struct CalendarPageInputs {
    Grid monthGrid;                   // the month view's grid, rendered for firstDay
    std::string title;                // the month view's title
    Date firstDay;                    // a first of month
    Date lastDay;                     // its last day
    ShabbatInputs shabbat;            // the same month, for its Shabbat rows
    int theme = kThemeWinter;
    CalendarSize size = CalendarSize::Page;
    bool printPicture = true;  // page-sized only
    std::string picturePath;
    double printedAt = 0;  // date-time shown in the footer
};

// Collects the month's cells and Shabbat rows, then renders the page into doc.
// The page-sized format keeps doc's paper and margins; the pocket-sized one
// sets A5 and its own margins.
void ComposeCalendarDocument(const CalendarPageInputs& in, Document& doc);

void RenderCalendarDocument(const MonthCells& cells, const std::vector<ShabbatRow>& shabbat, const CalendarPageInputs& in,
                            Document& doc);

// The calendar page's footer: the printouts' notice in the centre, the print stamp
// two lines below it on the right.
std::string CalendarFooter(double printedAt);

}  // namespace varnel
