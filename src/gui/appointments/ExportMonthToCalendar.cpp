#include "gui/appointments/ExportMonthToCalendar.h"

#include <QApplication>
#include <QGuiApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

#include "core/appointments/ExportToCalendar.h"
#include "core/appointments/ShabbatLines.h"
#include "core/common/DateFormat.h"
#include "core/common/Files.h"
#include "gui/appointments/ActivityDialog.h"
#include "gui/appointments/CalDavAddress.h"
#include "gui/appointments/CalendarExportRun.h"
#include "gui/appointments/CalendarTargetDialog.h"

namespace varnel {

namespace {
const char* kTitle = QT_TRANSLATE_NOOP("MonthExport", "Export to calendar");

QMessageBox* OpenBox(QWidget* owner, QMessageBox::Icon icon, const QString& title, const QString& text) {
    auto* box = new QMessageBox(icon, title, text, QMessageBox::Close, owner);
    box->setAttribute(Qt::WA_DeleteOnClose);
    return box;
}
}  // namespace

MonthExport::MonthExport(QWidget* owner, Date firstOfMonth, std::vector<PortionAppointment> items)
    : QObject(owner), owner_(owner), firstOfMonth_(firstOfMonth), items_(std::move(items)) {}

void MonthExport::Begin(bool ask) {
    target_ = ReadCalendarTarget();
    password_.clear();
    if (!ask) NeedPassword();
    else if (target_.IsServer()) ReadStoredPassword(target_, this, [this](bool found, const QString&) { AskTarget(found); });
    else AskTarget(false);
}

void MonthExport::AskTarget(bool remembered) {
    const QString subject = tr("the Shabbat portions of %1").arg(QString::fromStdString(MonthYearText(firstOfMonth_)));
    auto* dialog = new CalendarTargetDialog(target_, subject, owner_);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->SetRememberPassword(remembered);
    connect(dialog, &QDialog::finished, this, [this, dialog, remembered](int result) {
        if (result != QDialog::Accepted) {
            End({});
            return;
        }
        const CalendarTarget before = target_;
        target_ = dialog->Target();
        password_ = dialog->Password();
        WriteCalendarTarget(target_);
        if (remembered && (!dialog->RememberPassword() || before.target != target_.target || before.user != target_.user))
            ForgetPassword(before);
        if (target_.IsServer() && dialog->RememberPassword() && !password_.isEmpty())
            StorePassword(target_, password_, this, [this](bool stored) {
                if (!stored)
                    OpenBox(owner_, QMessageBox::Information, tr(kTitle),
                            tr("No secret store is running: the password cannot be remembered "
                               "and will be asked for each time."))
                        ->show();
            });
        NeedPassword();
    });
    dialog->open();
}

void MonthExport::NeedPassword() {
    if (!target_.IsServer() || !password_.isEmpty()) {
        Run();
        return;
    }
    ReadStoredPassword(target_, this, [this](bool found, const QString& password) {
        if (!found) {
            AskPassword();
            return;
        }
        password_ = password;
        Run();
    });
}

void MonthExport::AskPassword() {
    auto* dialog = new QInputDialog(owner_);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowTitle(tr(kTitle));
    dialog->setLabelText(tr("Password for %1 at %2:").arg(target_.user, QString::fromStdString(ShownAddress(target_.target))));
    dialog->setTextEchoMode(QLineEdit::Password);
    connect(dialog, &QDialog::finished, this, [this, dialog](int result) {
        if (result != QDialog::Accepted) {
            End({});
            return;
        }
        password_ = dialog->textValue();
        Run();
    });
    dialog->open();
}

void MonthExport::Run() {
    auto* activity = new ActivityDialog(owner_);
    auto* run = new CalendarExportRun(target_, password_, firstOfMonth_, items_, this);
    connect(run, &CalendarExportRun::Progress, activity, &ActivityDialog::ShowProgress);
    connect(activity, &ActivityDialog::CancelRequested, run, &CalendarExportRun::Cancel);
    connect(run, &CalendarExportRun::Finished, this, [this, run, activity] {
        QApplication::restoreOverrideCursor();
        activity->hide();
        activity->deleteLater();
        run->deleteLater();
        Close(run->Report());
    });
    activity->show();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    run->Start();
}

void MonthExport::Close(const ExportReport& report) {
    const QString text = QString::fromStdString(ExportSummary(report));
    QMessageBox* box = report.openError.empty()
                           ? OpenBox(owner_, report.Complete() ? QMessageBox::Information : QMessageBox::Warning, tr(kTitle), text)
                           : OpenBox(owner_, QMessageBox::Critical, tr("Unable to use the calendar"), text);
    // The calendar could not be used: offer to choose another and try again.
    QPushButton* choose = report.openError.empty() ? nullptr : box->addButton(tr("Choose calendar..."), QMessageBox::ActionRole);
    connect(box, &QDialog::finished, this, [this, box, choose, text] {
        if (choose && box->clickedButton() == choose) Begin(true);
        else End(text);
    });
    box->open();
}

void MonthExport::End(const QString& message) {
    emit Ended(message);
    deleteLater();
}

MonthExport* ExportMonthToCalendar(QWidget* owner, Date firstOfMonth, const ParashahTable& parashot) {
    auto* exporter = new MonthExport(owner, firstOfMonth,
                                     PortionItems(BuildMonthShabbatLines(firstOfMonth, parashot), ProgramFolder()));
    exporter->Begin(!HasCalendarTargetSetting() || (QGuiApplication::keyboardModifiers() & Qt::ShiftModifier));
    return exporter;
}

}  // namespace varnel
