#include "gui/appointments/ExportMonthToCalendar.h"

#include <QApplication>
#include <QGuiApplication>
#include <QInputDialog>
#include <QMessageBox>

#include "core/appointments/ExportToCalendar.h"
#include "core/appointments/ShabbatLines.h"
#include "core/common/Files.h"
#include "gui/appointments/CalendarTarget.h"
#include "gui/appointments/frmActivity.h"
#include "gui/appointments/frmCalendarTarget.h"

namespace varnel {

namespace {
// The target and, for a server, its password; false when the user cancelled.
bool ChooseTarget(QWidget* owner, CalendarTarget& target, QString& password) {
    const bool ask = !HasCalendarTargetSetting() || (QGuiApplication::keyboardModifiers() & Qt::ShiftModifier);
    target = ReadCalendarTarget();
    if (ask) {
        frmCalendarTarget dialog(target, owner);
        if (dialog.exec() != QDialog::Accepted) return false;
        target = dialog.Target();
        password = dialog.Password();
        WriteCalendarTarget(target);
        if (target.IsServer()) {
            if (dialog.RememberPassword() && !password.isEmpty()) StorePassword(target, password);
            else if (!dialog.RememberPassword()) ForgetPassword(target);
        }
    }
    if (!target.IsServer() || !password.isEmpty() || ReadStoredPassword(target, password)) return true;
    bool ok = false;
    password = QInputDialog::getText(owner, QObject::tr("Export to calendar"),
                                     QObject::tr("Password for %1 at %2:").arg(target.user, target.target),
                                     QLineEdit::Password, QString(), &ok);
    return ok;
}
}  // namespace

void ExportMonthToCalendar(QWidget* owner, int32_t firstOfMonth, const ParashahTable& parashot) {
    CalendarTarget target;
    QString password;
    if (!ChooseTarget(owner, target, password)) return;
    const std::vector<std::string> lines = BuildMonthShabbatLines(firstOfMonth, parashot);
    std::unique_ptr<CalendarBackend> calendar = MakeCalendarBackend(target, password);

    auto* activity = new frmActivity(owner);
    activity->setAttribute(Qt::WA_DeleteOnClose);
    activity->show();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const ExportReport report = ExportToCalendar(*calendar, firstOfMonth, lines, ProgramFolder(), *activity);
    activity->close();
    QApplication::restoreOverrideCursor();

    const QString text = QString::fromStdString(ExportSummary(report));
    const QString title = QObject::tr("Export to calendar");
    if (!report.openError.empty()) QMessageBox::critical(owner, QObject::tr("Unable to use the calendar"), text);
    else if (report.Complete()) QMessageBox::information(owner, title, text);
    else QMessageBox::warning(owner, title, text);
}

}  // namespace varnel
