// "varnel print VIEW ARG --output FILE": a printout written as a PDF (every
// page) or a PNG (the first page), through the same composition and layout
// as the printed pages.
#include <QFileInfo>
#include <QString>
#include <iostream>

#include "cli/CommandCalendar.h"
#include "app/PrintArguments.h"
#include "app/WindowCommands.h"
#include "cli/CommandLine.h"
#include "core/common/Date.h"
#include "core/printing/Printouts.h"
#include "core/solar/SunCalculator.h"
#include "gui/printing/DocumentLayout.h"
#include "gui/printing/DocumentOutput.h"

namespace varnel::cli {

namespace {

enum class OutputKind { Pdf, Png };

OutputKind KindOf(const std::string& path) {
    const QString suffix = QFileInfo(QString::fromStdString(path)).suffix().toLower();
    if (suffix == QLatin1String("pdf")) return OutputKind::Pdf;
    if (suffix == QLatin1String("png")) return OutputKind::Png;
    throw UsageError("unknown output kind " + Quoted(path) + " (a .pdf or .png file)");
}

}  // namespace

int RunPrint(const Context& context) {
    const std::string& view = context.args[0];
    const std::string& arg = context.args[1];
    const std::string output = OptionValue(context, "--output");
    if (output.empty()) throw UsageError("print needs --output FILE");
    const OutputKind kind = KindOf(output);
    const int dpi = ParseDpi(OptionValue(context, "--dpi"));
    Document doc;
    doc.SetPaper(ParsePaper(OptionValue(context, "--paper")));

    // Every argument is checked before any work is done.
    Date date;
    int year = 0, month = 0;
    if (view == "day") date = ParseDate(arg);
    else if (view == "year") year = ParseYear(arg);
    else if (view == "shabbat") ParseMonth(arg, year, month);
    else throw UsageError("unknown view " + Quoted(view) + " (day, year or shabbat)");
    const Date shown = view == "day" ? date : Date(year, view == "year" ? 1 : month, 1);
    CheckWritable(output);
    const auto calendar = OpenCommandCalendar(context, shown);

    if (view == "day") {
        DayViewModel day;
        RenderDay(*calendar, date, day);
        ComposeDayDocument(day, NowDateTime(), doc);
    } else if (view == "year") {
        YearViewModel model;
        RenderYear(*calendar, year, model);
        ComposeYearDocument(model, doc);
    } else {
        const ViewState& state = calendar->state;
        ComposeShabbatDocument(ShabbatRowsOf(ShabbatInputsFor(calendar->source, state)),
                               MonthTitle(state.currentDate, state.currentMonthEnd), NowDateTime(), doc);
    }
    const DocumentLayout layout(doc);
    QString error;
    const QString path = QString::fromStdString(output);
    const bool written = kind == OutputKind::Pdf ? WritePdf(layout, path, &error) : WritePng(layout, path, dpi, &error);
    if (!written) throw DataError("cannot write " + Quoted(output) + ": " + error.toStdString());
    return 0;
}

}  // namespace varnel::cli
