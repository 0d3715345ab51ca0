#include "gui/printing/PrintCommands.h"

#include <QWidget>

#include "core/printing/Printouts.h"
#include "core/solar/SunCalculator.h"
#include "core/views/DayView.h"
#include "core/views/YearView.h"
#include "gui/printing/CompileProgress.h"
#include "gui/printing/DocumentLayout.h"
#include "gui/printing/PrintToPrinter.h"
#include "gui/printing/PrintPreviewDialog.h"

namespace varnel {

namespace {

Document NewDocument() {
    Document doc;
    doc.SetPaper(DefaultPaper());
    return doc;
}

// Lays the document out with the progress window and sends it to the printer.
void PrintDirectly(QWidget* owner, const Document& doc, const QString& title) {
    std::unique_ptr<DocumentLayout> layout;
    {
        CompileProgress progress(owner);
        layout = std::make_unique<DocumentLayout>(doc, progress.Events());
    }
    PrintOnDefaultPrinter(owner, *layout, title);
}

Document ShabbatDocument(const ShabbatInputs& month, const std::string& monthTitle) {
    Document doc = NewDocument();
    ComposeShabbatDocument(ShabbatRowsOf(month), monthTitle, NowDateTime(), doc);
    return doc;
}

}  // namespace

void PrintCurrentView(QWidget* owner, const PrintViews& views) {
    if (views.view == 1 && views.day) {
        PrintDayView(owner, *views.day);
    } else if (views.view == 2) {
        ShowPrintPreview(owner, ShabbatDocument(views.shabbat, views.monthTitle),
                         QString::fromStdString("Shabbat details for " + views.monthTitle));
    } else if (views.view == 3 && views.year) {
        PrintYearView(owner, *views.year);
    }
}

void PrintDayView(QWidget* owner, const DayViewModel& day) {
    Document doc = NewDocument();
    ComposeDayDocument(day, NowDateTime(), doc);
    PrintDirectly(owner, doc, QString::fromStdString(day.title));
}

void PrintYearView(QWidget* owner, const YearViewModel& year) {
    Document doc = NewDocument();
    ComposeYearDocument(year, doc);
    ShowPrintPreview(owner, doc, QString::fromStdString(year.title));
}

void PrintShabbatHours(QWidget* owner, const ShabbatInputs& month, const std::string& monthTitle) {
    PrintDirectly(owner, ShabbatDocument(month, monthTitle),
                  QString::fromStdString("Shabbat details for " + monthTitle));
}

}  // namespace varnel
