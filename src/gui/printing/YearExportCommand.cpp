#include "gui/printing/YearExportCommand.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <optional>

#include "core/common/Date.h"
#include "core/common/Files.h"
#include "core/printing/PrintedMonth.h"
#include "core/printing/YearExport.h"
#include "core/solar/SunCalculator.h"
#include "gui/common/WaitCursor.h"
#include "gui/printing/PrintToPrinter.h"

namespace varnel {

std::string ExportYearToHtml(QWidget* owner, const YearViewModel& yearView, CalendarSource& source,
                             const ViewState& state) {
    std::optional<WaitCursor> wait(std::in_place);
    YearExport in;
    in.year = &yearView;
    in.folder = YearExportFolder(ProgramFolder(), yearView);
    Document paper;
    paper.SetPaper(DefaultPaper());
    in.page = paper.Page();
    ViewState monthState = state;
    const double now = NowDateTime();
    in.monthPage = [&](int m) {
        monthState.ShowMonthOf(Date(yearView.year, m, 1));
        CalendarPageInputs page = PrintedMonth(source, monthState);
        page.printedAt = now;
        return page;
    };
    std::string error;
    const std::string index = ExportYearToHtml(in, error);
    wait.reset();
    if (index.empty()) {
        QMessageBox box(QMessageBox::Warning, QStringLiteral("Export failed"),
                        QStringLiteral("The year was not exported.\n\n") + QString::fromStdString(error), QMessageBox::Ok,
                        owner);
        box.setObjectName(QStringLiteral("msgExportFailed"));
        box.exec();
        return {};
    }
    QMessageBox box(QMessageBox::Information, QStringLiteral("Complete"),
                    QDir::toNativeSeparators(QString::fromStdString(index)) +
                        QStringLiteral(" was created in HTML format. This file can be opened in a Web Browser."),
                    QMessageBox::Ok, owner);
    box.setObjectName(QStringLiteral("msgComplete"));
    box.exec();
    return index;
}

}  // namespace varnel
