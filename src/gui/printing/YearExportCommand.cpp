#include "gui/printing/YearExportCommand.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>

#include "core/common/Files.h"
#include "core/printing/YearExport.h"
#include "core/solar/clsSunrise.h"
#include "gui/printing/PrintToPrinter.h"
#include "gui/printing/PrintedMonth.h"

namespace varnel {

std::string ExportYearToHtml(QWidget* owner, const YearViewModel& yearView, const std::string& city, int colorScheme,
                             bool floatDetails) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    std::unique_ptr<PrintedYear> printed = BuildPrintedYear(yearView.year, city, colorScheme, floatDetails);
    YearExport in;
    in.year = &yearView;
    in.folder = YearExportFolder(ProgramFolder(), yearView);
    Document paper;
    paper.SetPaper(DefaultPaper());
    in.page = paper.Page();
    PrintedMonth month;
    const double now = NowDateTime();
    in.monthPage = [&](int m) {
        BuildPrintedMonth(*printed, m, month);
        month.page.printedAt = now;
        return month.page;
    };
    std::string error;
    const std::string index = ExportYearToHtml(in, error);
    QApplication::restoreOverrideCursor();
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
