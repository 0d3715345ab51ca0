#include "gui/views/DataFileNotice.h"

#include <QMessageBox>

#include "core/calendar/DataFiles.h"

namespace varnel {

bool NoticeMissingDataFiles(QWidget* parent, const std::string& folder) {
    const std::vector<std::string> missing = MissingCalendarFiles(folder);
    if (missing.empty()) return false;
    QString text;
    for (const std::string& name : missing) text += QString::fromStdString(MissingFileMessage(folder, name)) + ".\n";
    text += "The calendar shows no holy days or portions from the missing files.";
    auto* box = new QMessageBox(QMessageBox::Warning, "Varnel", text, QMessageBox::Ok, parent);
    box->setObjectName("msgMissingDataFiles");
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
    return true;
}

}  // namespace varnel
