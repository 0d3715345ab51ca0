#include "gui/appointments/ExportMonthToCalendar.h"

#include <QApplication>
#include <QGuiApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

#include "core/appointments/ExportToCalendar.h"
#include "core/appointments/ShabbatLines.h"
#include "core/common/Files.h"
#include "gui/appointments/CalendarTarget.h"
#include "gui/appointments/ActivityDialog.h"
#include "gui/appointments/CalendarTargetDialog.h"

namespace varnel {

namespace {
// The target and, for a server, its password; false when the user cancelled.
bool ChooseTarget(QWidget* owner, bool ask, CalendarTarget& target, QString& password) {
    target = ReadCalendarTarget();
    if (ask) {
        QString stored;
        const bool remembered = target.IsServer() && ReadStoredPassword(target, stored);
        CalendarTargetDialog dialog(target, owner);
        dialog.SetRememberPassword(remembered);
        if (dialog.exec() != QDialog::Accepted) return false;
        const CalendarTarget before = target;
        target = dialog.Target();
        password = dialog.Password();
        WriteCalendarTarget(target);
        if (remembered && (!dialog.RememberPassword() || before.target != target.target || before.user != target.user))
            ForgetPassword(before);
        if (target.IsServer() && dialog.RememberPassword() && !password.isEmpty() && !StorePassword(target, password))
            QMessageBox::information(owner, QObject::tr("Export to calendar"),
                                     QObject::tr("No secret store is running: the password cannot be remembered "
                                                 "and will be asked for each time."));
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
    const std::vector<ShabbatLine> lines = BuildMonthShabbatLines(firstOfMonth, parashot);
    bool ask = !HasCalendarTargetSetting() || (QGuiApplication::keyboardModifiers() & Qt::ShiftModifier);
    while (true) {
        CalendarTarget target;
        QString password;
        if (!ChooseTarget(owner, ask, target, password)) return;
        std::unique_ptr<CalendarBackend> calendar = MakeCalendarBackend(target, password);
        ExportReport report;
        {
            ActivityDialog activity(owner);
            activity.show();
            QApplication::setOverrideCursor(Qt::WaitCursor);
            report = ExportToCalendar(*calendar, firstOfMonth, lines, ProgramFolder(), activity);
            QApplication::restoreOverrideCursor();
        }
        const QString text = QString::fromStdString(ExportSummary(report));
        const QString title = QObject::tr("Export to calendar");
        if (report.Complete()) {
            QMessageBox::information(owner, title, text);
            return;
        }
        if (report.openError.empty()) {
            QMessageBox::warning(owner, title, text);
            return;
        }
        // The calendar could not be used: offer to choose another and try again.
        QMessageBox box(QMessageBox::Critical, QObject::tr("Unable to use the calendar"), text, QMessageBox::Close, owner);
        QPushButton* choose = box.addButton(QObject::tr("Choose calendar..."), QMessageBox::ActionRole);
        box.exec();
        if (box.clickedButton() != choose) return;
        ask = true;
    }
}

}  // namespace varnel
