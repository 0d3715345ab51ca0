#include "gui/views/DataFileMessage.h"

#include <QMessageBox>

namespace varnel {

void ShowDataFileReport(QWidget* parent, const DataFileReport& report) {
    if (!report.NeedsAttention()) return;
    auto* box = new QMessageBox(parent);
    box->setObjectName("msgDataFiles");
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowTitle("Varnel");
    box->setIcon(report.HasErrors() ? QMessageBox::Critical : QMessageBox::Warning);
    box->setText(report.HasErrors() ? "Some calendar data could not be read." : "The data files were not all usable as they are.");
    box->setInformativeText(QString::fromStdString(report.Text()).trimmed());
    box->setStandardButtons(QMessageBox::Ok);
    box->open();
}

}  // namespace varnel
