#include "core/printing/YearExport.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "core/common/DateFormat.h"
#include "core/common/Date.h"
#include "core/common/Files.h"
#include "core/printing/HtmlWriter.h"

namespace varnel {
namespace {

constexpr Color kCaptionBack = RGB(224, 224, 224);
constexpr Color kWeekdayBack = RGB(128, 128, 128);
constexpr Color kMagenta = RGB(255, 0, 255);
constexpr Color kWhite = RGB(255, 255, 255);

std::string Reason(const std::string& path, const std::string& why) { return path + ": " + why; }

}  // namespace

bool SaveFileWhole(const std::string& path, const std::string& bytes, std::string& error) {
    const std::string temp = path + ".tmp" + std::to_string(::getpid());
    FILE* out = std::fopen(temp.c_str(), "wb");
    if (!out) {
        error = Reason(path, std::strerror(errno));
        return false;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
    const int writeErrno = errno;
    const bool closed = std::fclose(out) == 0;
    if (!written || !closed) {
        error = Reason(path, std::strerror(written ? errno : writeErrno));
        std::remove(temp.c_str());
        return false;
    }
    std::error_code ec;
    std::filesystem::rename(temp, path, ec);
    if (ec) {
        error = Reason(path, ec.message());
        std::remove(temp.c_str());
        return false;
    }
    return true;
}

void ComposeYearIndex(const YearViewModel& year, Document& doc) {
    doc.StartDoc();
    const float block = static_cast<float>(doc.PageWidth() - 2 * doc.MarginLeft()) / 3;
    const int rowHeight = 288;  // 0.2in

    doc.SetFont(FontStyle{"Arial", 12, true, false});
    TableBuilder heading(std::vector<TableColumn>(1), doc.Font());
    const CellRange title = CellRange::Cell(1, 1);
    heading.SetRowCount(1)
        .SetRowHeight(CellRange::Table(), rowHeight)
        .SetColumnWidth(CellRange::Table(), static_cast<int>(3 * block))
        .SetBackground(title, kMagenta)
        .SetForeground(title, kWhite)
        .SetVAlign(title, VAlign::Center)
        .SetText(title, "Select a Month for the Common Year " + year.title);
    doc.AddTable(std::move(heading).Take());

    doc.SetFont(FontStyle{"Arial", 8, true, false});
    TableBuilder months(std::vector<TableColumn>(21), doc.Font());
    months.SetRowCount(32)
        .SetRowHeight(CellRange::Table(), rowHeight)
        .SetColumnWidth(CellRange::Table(), static_cast<int>(block / 7))
        .SetVAlign(CellRange::Table(), VAlign::Center);
    for (int m = 0; m < 12; ++m) {
        const int top = 8 * (m / 3) + 1;  // the caption's row; the grid follows
        const int left = 7 * (m % 3) + 1;
        const CellRange caption = CellRange::Cell(top, left);
        months.SetColSpan(caption, 7).SetBackground(caption, kCaptionBack).SetText(caption, year.monthLabels[static_cast<size_t>(m)]);
        const Grid& grid = year.grids[static_cast<size_t>(m)];
        for (int r = 0; r < 7; ++r)
            for (int c = 0; c < 7; ++c) {
                const GridCell& cell = grid.Cell(r, c);
                const CellRange at = CellRange::Cell(top + 1 + r, left + c);
                months.SetBackground(at, r == 0 ? kWeekdayBack : cell.background)
                    .SetForeground(at, r == 0 ? kWhite : cell.foreground)
                    .SetText(at, cell.text);
            }
    }
    doc.AddTable(std::move(months).Take());
    doc.EndDoc();
}

std::string LinkMonthNamesInText(const std::string& html, const YearViewModel& year) {
    std::string out;
    out.reserve(html.size() + 12 * 40);
    size_t start = 0;
    while (start < html.size()) {
        size_t end = html.find('\n', start);
        end = end == std::string::npos ? html.size() : end + 1;
        std::string line = html.substr(start, end - start);
        for (const std::string& caption : year.monthLabels) {
            if (caption.empty()) continue;
            const size_t at = line.find(caption);
            if (at == std::string::npos) continue;
            std::string target;
            for (char ch : caption)
                if (ch != ' ') target += ch;
            line = line.substr(0, at) + "<a href=\"" + EscapeHtml(target) + ".htm\">" + caption + "</a>" +
                   line.substr(at + caption.size());
            break;  // one link per line, the first month found
        }
        out += line;
        start = end;
    }
    return out;
}

bool LinkMonthNames(const std::string& indexPath, const YearViewModel& year, std::string& error) {
    std::string html;
    if (!ReadWholeFile(indexPath, html)) {
        error = Reason(indexPath, "cannot be read");
        return false;
    }
    const std::string temp = indexPath + ".tmp";
    if (!SaveFileWhole(temp, LinkMonthNamesInText(html, year), error)) return false;
    std::error_code ec;
    std::filesystem::rename(temp, indexPath, ec);
    if (ec) {
        error = Reason(indexPath, ec.message());
        std::filesystem::remove(temp, ec);
        return false;
    }
    return true;
}

std::string MonthFileName(int year, int month) { return MonthName(month) + std::to_string(year); }

std::string YearExportFolder(const std::string& dataFolder, const YearViewModel& year) {
    return PathIn(PathIn(PathIn(dataFolder, "Export"), "HTML"), year.title);
}

namespace {
bool WriteMonths(const YearExport& in, std::vector<std::string>& written, std::string& error) {
    if (!in.monthPage) {
        error = "no month pages to write";
        return false;
    }
    Document doc;
    for (int month = 1; month <= 12; ++month) {
        CalendarPageInputs page = in.monthPage(month);
        page.size = CalendarSize::Page;
        page.printPicture = false;
        doc.SetPage(in.page);
        ComposeCalendarDocument(page, doc);
        HtmlOptions options;
        options.title = page.title;
        const std::string path = PathIn(in.folder, MonthFileName(in.year->year, month) + ".htm");
        std::error_code ec;
        const bool existed = std::filesystem::exists(path, ec);
        if (!SaveFileWhole(path, WriteHtml(doc, options), error)) return false;
        if (!existed) written.push_back(path);
    }
    return true;
}

// A failed export takes back the files it added; a file it replaced stays,
// whole, in its new form.
void RemoveAll(const std::vector<std::string>& paths) {
    std::error_code ec;
    for (const std::string& p : paths) std::filesystem::remove(p, ec);
}
}  // namespace

bool ExportYearMonths(const YearExport& in, std::string& error) {
    std::vector<std::string> written;
    return WriteMonths(in, written, error);
}

std::string ExportYearToHtml(const YearExport& in, std::string& error) {
    if (!in.year || in.year->year < kMinYear || in.year->year > kMaxYear) {
        error = "no year to export";
        return {};
    }
    std::error_code ec;
    std::filesystem::create_directories(in.folder, ec);
    if (ec || !std::filesystem::is_directory(in.folder, ec)) {
        error = Reason(in.folder, ec ? ec.message() : "is not a folder");
        return {};
    }
    const std::string index = PathIn(in.folder, in.year->title + ".htm");
    Document doc;
    doc.SetPage(in.page);
    ComposeYearIndex(*in.year, doc);
    HtmlOptions options;
    options.title = "Select a Month for the Common Year " + in.year->title;
    std::vector<std::string> written;
    const bool existed = std::filesystem::exists(index, ec);
    if (!SaveFileWhole(index, WriteHtml(doc, options), error)) return {};
    if (!existed) written.push_back(index);
    if (!LinkMonthNames(index, *in.year, error) || !WriteMonths(in, written, error)) {
        RemoveAll(written);
        return {};
    }
    return index;
}

}  // namespace varnel
