#pragma once
// A common year as linked HTML pages: an index with the twelve months in
// miniature, whose month captions link to one calendar page per month, in the
// data folder's Export/HTML/<year> folder. Files are written whole (through a
// temporary file renamed into place), so a failure never leaves a torn file.
#include <functional>
#include <string>

#include "core/printing/CalendarDocument.h"
#include "core/printing/Document.h"
#include "core/views/YearView.h"

namespace varnel {

// The index page: a title bar and the twelve month grids in a 21 x 32 table,
// three blocks across and four down.
void ComposeYearIndex(const YearViewModel& year, Document& doc);

// Wraps the first month caption found on each line in a link to its page
// ("January 2026" -> <a href="January2026.htm">January 2026</a>).
std::string LinkMonthNamesInText(const std::string& html, const YearViewModel& year);
// The same on the index file, through indexPath + ".tmp": the index is
// replaced only when the new one is complete. False with a reason otherwise.
bool LinkMonthNames(const std::string& indexPath, const YearViewModel& year, std::string& error);

// "January2026": the month's first day as "mmmmyyyy".
std::string MonthFileName(int year, int month);

// <dataFolder>/Export/HTML/<year title>.
std::string YearExportFolder(const std::string& dataFolder, const YearViewModel& year);

struct YearExport {
    const YearViewModel* year = nullptr;  // filled for the year
    std::string folder;                   // the year folder, created with its parents when missing
    // The calendar page inputs of a month (1..12) of the year; the page is
    // composed page-sized without the picture whatever the inputs say.
    std::function<CalendarPageInputs(int month)> monthPage;
    PageSetup page;  // the paper of the month pages and the index
};

// Writes the index, links it, then the twelve month pages. Returns the
// index's path, or an empty text with the reason in error.
std::string ExportYearToHtml(const YearExport& in, std::string& error);
// The twelve month pages alone; false with a reason at the first failure.
bool ExportYearMonths(const YearExport& in, std::string& error);

// Writes bytes to a temporary file beside path, then renames it over path.
// False with "path: reason" in error.
bool SaveFileWhole(const std::string& path, const std::string& bytes, std::string& error);

}  // namespace varnel
