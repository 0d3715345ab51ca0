// "varnel print VIEW ARG --output FILE": a printout written as a PDF (every
// page) or a PNG (the first page), through the same composition and layout
// as the printed pages.
#include <QFileInfo>
#include <QString>
#include <iostream>

#include "app/CommandCalendar.h"
#include "app/CommandLine.h"
#include "core/common/DateSerial.h"
#include "core/printing/Printouts.h"
#include "core/solar/SunCalculator.h"
#include "gui/printing/DocumentLayout.h"
#include "gui/printing/DocumentOutput.h"

namespace varnel::cli {

std::string OptionValue(const Context& context, const char* name) {
    std::string value;
    for (const auto& [option, given] : context.options)
        if (option == name) value = given;
    return value;
}

bool HasOption(const Context& context, const char* name) {
    for (const auto& entry : context.options)
        if (entry.first == name) return true;
    return false;
}

namespace {

enum class OutputKind { Pdf, Png };

OutputKind KindOf(const std::string& path) {
    const QString suffix = QFileInfo(QString::fromStdString(path)).suffix().toLower();
    if (suffix == QLatin1String("pdf")) return OutputKind::Pdf;
    if (suffix == QLatin1String("png")) return OutputKind::Png;
    throw UsageError("unknown output kind " + Quoted(path) + " (a .pdf or .png file)");
}

}  // namespace

PaperSize ParsePaper(const std::string& text) {
    if (text.empty()) return LocalePaper();
    if (text == "a4" || text == "A4") return PaperSize::A4;
    if (text == "letter" || text == "Letter") return PaperSize::Letter;
    if (text == "a5" || text == "A5") return PaperSize::A5;
    throw UsageError("unknown paper " + Quoted(text) + " (a4, letter or a5)");
}

int ParseDpi(const std::string& text) {
    if (text.empty()) return 150;
    if (text.size() > 4 || text.find_first_not_of("0123456789") != std::string::npos)
        throw UsageError("malformed --dpi " + Quoted(text) + " (a number from 30 to 1200)");
    const int dpi = std::stoi(text);
    if (dpi < 30 || dpi > 1200) throw UsageError("--dpi outside 30..1200: " + text);
    return dpi;
}

// The folder must exist and the file, when there, must be a file we may replace.
void CheckWritable(const std::string& path) {
    const QFileInfo file(QString::fromStdString(path));
    const QFileInfo folder(file.absolutePath());
    if (!folder.isDir()) throw UsageError("no such folder for " + Quoted(path));
    if (file.exists() && (!file.isFile() || !file.isWritable())) throw UsageError("cannot write " + Quoted(path));
    if (!folder.isWritable()) throw UsageError("cannot write in the folder of " + Quoted(path));
}

int RunPrint(const Context& context) {
    if (!context.args.empty() && context.args[0] == "month") return RunPrintMonth(context);
    if (context.args.size() < 2)
        throw UsageError("print needs a view and its argument (day DATE, year YEAR, shabbat YYYY-MM)");
    if (context.args.size() > 2) throw UsageError("unexpected argument " + Quoted(context.args[2]));
    const std::string& view = context.args[0];
    const std::string& arg = context.args[1];
    const std::string output = OptionValue(context, "--output");
    if (output.empty()) throw UsageError("print needs --output FILE");
    const OutputKind kind = KindOf(output);
    const int dpi = ParseDpi(OptionValue(context, "--dpi"));
    Document doc;
    doc.SetPaper(ParsePaper(OptionValue(context, "--paper")));

    // Every argument is checked before any work is done.
    int32_t date = 0;
    int year = 0, month = 0;
    if (view == "day") date = ParseDate(arg);
    else if (view == "year") year = ParseYear(arg);
    else if (view == "shabbat") ParseMonth(arg, year, month);
    else throw UsageError("unknown view " + Quoted(view) + " (day, year or shabbat)");
    const int32_t shown = view == "day" ? date : DateSerial(year, view == "year" ? 1 : month, 1);
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
        ComposeShabbatDocument(BuildShabbatRows(ShabbatInputsFor(calendar->source, state)),
                               MonthTitle(state.currentDate, state.currentMonthEnd), NowDateTime(), doc);
    }
    const DocumentLayout layout(doc);
    QString error;
    const QString path = QString::fromStdString(output);
    const bool written = kind == OutputKind::Pdf ? WritePdf(layout, path, &error) : WritePng(layout, path, dpi, &error);
    if (!written) throw UsageError("cannot write " + Quoted(output) + ": " + error.toStdString());
    return 0;
}

}  // namespace varnel::cli
