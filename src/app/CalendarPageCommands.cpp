// "varnel print month YYYY-MM --output FILE" and "varnel export-year YEAR":
// the calendar page and the linked year pages, composed as the print dialog
// and the menu compose them.
#include <QFileInfo>
#include <iostream>

#include "cli/CommandCalendar.h"
#include "app/PrintArguments.h"
#include "app/WindowCommands.h"
#include "cli/CommandLine.h"
#include "core/common/Date.h"
#include "core/common/Files.h"
#include "core/printing/PrintedMonth.h"
#include "core/printing/YearExport.h"
#include "core/solar/SunCalculator.h"
#include "gui/common/Settings.h"
#include "gui/printing/CalendarExport.h"
#include "gui/printing/DocumentOutput.h"

namespace varnel::cli {

namespace {

int ThemeOption(const std::string& text) {
    if (text.empty()) {
        const int stored = ReadIntSetting(setting::kCalendarTheme, kThemeWinter);
        return stored >= kThemeWinter && stored <= kThemeNone ? stored : kThemeWinter;
    }
    if (text == "winter") return kThemeWinter;
    if (text == "summer") return kThemeSummer;
    if (text == "none") return kThemeNone;
    throw UsageError("unknown theme " + Quoted(text) + " (winter, summer or none)");
}

CalendarSize SizeOption(const std::string& text) {
    if (text.empty() || text == "page") return CalendarSize::Page;
    if (text == "pocket") return CalendarSize::Pocket;
    throw UsageError("unknown size " + Quoted(text) + " (page or pocket)");
}

}  // namespace

int RunPrintMonth(const Context& context) {
    const std::string outputPath = OptionValue(context, "--output"), picture = OptionValue(context, "--picture");
    const bool noPicture = HasOption(context, "--no-picture");
    int year = 0, month = 0;
    ParseMonth(context.args[1], year, month);
    if (outputPath.empty()) throw UsageError("missing --output FILE");
    const QString output = QString::fromStdString(outputPath);
    const std::optional<CalendarFileKind> kind = CalendarFileKindOf(output);
    if (!kind) throw UsageError("unknown kind of file " + Quoted(outputPath) + " (.pdf, .png, .html, .htm or .rtf)");
    const int theme = ThemeOption(OptionValue(context, "--theme"));
    const int dpi = ParseDpi(OptionValue(context, "--dpi"));
    const CalendarSize size = SizeOption(OptionValue(context, "--size"));
    if (!picture.empty() && noPicture) throw UsageError("--picture and --no-picture together");
    if (!picture.empty() && !PictureReadable(QString::fromStdString(picture)))
        throw UsageError("cannot read the picture " + Quoted(picture));
    CheckWritable(outputPath);

    const auto calendar = OpenCommandCalendar(context, Date(year, month, 1));
    CalendarPageInputs page = PrintedMonth(calendar->source, calendar->state);
    page.theme = theme;
    page.size = size;
    page.printPicture = !noPicture && (!picture.empty() || ReadIntSetting(setting::kPrintGraphic, 1) != 0);
    page.picturePath =
        !picture.empty()
            ? picture
            : ReadSetting(setting::kCalendarPicture, QString::fromStdString(DataPath("Images/templemount.jpg")))
                  .toStdString();
    page.printedAt = NowDateTime();
    Document doc;
    doc.SetPage(PageSetupFor(ParsePaper(OptionValue(context, "--paper"))));
    ComposeCalendarDocument(page, doc);
    QString error;
    if (!ExportCalendarFile(doc, *kind, output, QString::fromStdString(page.title), &error, dpi))
        throw DataError(error.toStdString());
    std::cout << outputPath << "\n";
    return 0;
}

int RunExportYear(const Context& context) {
    const int year = ParseYear(context.args[0]);
    const auto calendar = OpenCommandCalendar(context, Date(year, 1, 1));
    YearViewModel yearView;
    RenderYear(*calendar, year, yearView);

    YearExport in;
    in.year = &yearView;
    const std::string dir = OptionValue(context, "--dir");
    in.folder = dir.empty() ? YearExportFolder(ProgramFolder(), yearView) : dir;
    in.page = PageSetupFor(ParsePaper(OptionValue(context, "--paper")));
    ViewState state = calendar->state;
    in.monthPage = [&](int m) {
        state.ShowMonthOf(Date(year, m, 1));
        CalendarPageInputs page = PrintedMonth(calendar->source, state);
        page.printedAt = NowDateTime();
        return page;
    };
    std::string error;
    const std::string index = ExportYearToHtml(in, error);
    if (index.empty()) throw DataError(error);
    std::cout << index << "\n";
    return 0;
}

}  // namespace varnel::cli
