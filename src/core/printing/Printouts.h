#pragma once
// The documents of the day, year and Shabbat printouts, composed from the
// views' models. `now` is the date-time printed in the footers.
#include <string>

#include "core/printing/Document.h"
#include "core/printing/ShabbatRows.h"

namespace varnel {

struct DayViewModel;
struct YearViewModel;

// The centre part of every printout's footer: the program's title and its notice.
std::string FooterNotice();
// "(title - Printed: mm/dd/yy-hhmm)   Page %d" after a line break: the right part.
std::string PrintedFooterPart(const std::string& title, double now);

// The day view as a two-column table: labels right-aligned, texts left-aligned,
// rows whose two cells are empty left out.
void ComposeDayDocument(const DayViewModel& day, double now, Document& doc);
// The year view's twelve month grids in three newspaper columns, January,
// April, July, October down the first.
void ComposeYearDocument(const YearViewModel& year, Document& doc);
// The month's Shabbat table on its own page; monthTitle is the month view's title.
void ComposeShabbatDocument(const std::vector<ShabbatRow>& rows, const std::string& monthTitle, double now,
                            Document& doc);

// The Shabbat printout's columns for a table width W: q = W / 4 rounded,
// columns q / 4, 1.4 q, 0.6 q and 2 q wide, rounded to whole twips.
std::vector<TableColumn> ShabbatTableColumns(int tableWidth);

}  // namespace varnel
