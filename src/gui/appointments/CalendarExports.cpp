#include "gui/appointments/CalendarExports.h"

#include <QApplication>
#include <QCheckBox>
#include <QGuiApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

#include "core/appointments/ExportToCalendar.h"
#include "core/appointments/FeastItems.h"
#include "core/views/CalendarSource.h"
#include "core/appointments/ShabbatLines.h"
#include "core/common/DateFormat.h"
#include "core/common/Files.h"
#include "gui/appointments/ActivityDialog.h"
#include "gui/appointments/CalDavAddress.h"
#include "gui/appointments/CalendarExportRun.h"
#include "gui/appointments/CalendarTargetDialog.h"

namespace varnel {

namespace {
const char* kTitle = QT_TRANSLATE_NOOP("CalendarExport", "Export to calendar");

QMessageBox* OpenBox(QWidget* owner, QMessageBox::Icon icon, const QString& title, const QString& text) {
    auto* box = new QMessageBox(icon, title, text, QMessageBox::Close, owner);
    box->setAttribute(Qt::WA_DeleteOnClose);
    return box;
}
}  // namespace

CalendarExport::CalendarExport(QWidget* owner, QString subject, ExportScope scope, std::vector<ExportOption> options,
                               Items items)
    : QObject(owner), owner_(owner), subject_(std::move(subject)), scope_(std::move(scope)), options_(std::move(options)),
      items_(std::move(items)) {}

void CalendarExport::Begin(bool ask) {
    target_ = ReadCalendarTarget();
    password_.clear();
    if (!ask) NeedPassword();
    else if (target_.IsServer()) ReadStoredPassword(target_, this, [this](bool found, const QString&) { AskTarget(found); });
    else AskTarget(false);
}

void CalendarExport::AskTarget(bool remembered) {
    auto* dialog = new CalendarTargetDialog(target_, subject_, owner_);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->SetRememberPassword(remembered);
    std::vector<QCheckBox*> boxes;
    for (const ExportOption& o : options_) boxes.push_back(dialog->AddOption(o.text, o.objectName, o.checked));
    connect(dialog, &QDialog::finished, this, [this, dialog, remembered, boxes](int result) {
        if (result != QDialog::Accepted) {
            End({});
            return;
        }
        for (size_t i = 0; i < boxes.size(); ++i) options_[i].checked = boxes[i]->isChecked();
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

void CalendarExport::NeedPassword() {
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

void CalendarExport::AskPassword() {
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

void CalendarExport::Run() {
    auto* activity = new ActivityDialog(owner_);
    std::vector<bool> chosen;
    for (const ExportOption& o : options_) chosen.push_back(o.checked);
    auto* run = new CalendarExportRun(target_, password_, scope_, items_(chosen), this);
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

void CalendarExport::Close(const ExportReport& report) {
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

void CalendarExport::End(const QString& message) {
    emit Ended(message);
    deleteLater();
}

CalendarExport* ExportMonthToCalendar(QWidget* owner, Date firstOfMonth, const ParashahTable& parashot) {
    std::vector<CalendarItem> items = PortionItems(BuildMonthShabbatLines(firstOfMonth, parashot), ProgramFolder());
    auto* exporter = new CalendarExport(
        owner, CalendarExport::tr("the Shabbat portions of %1").arg(QString::fromStdString(MonthYearText(firstOfMonth))),
        PortionExportScope(firstOfMonth), {},
        [items = std::move(items)](const std::vector<bool>&) { return items; });
    exporter->Begin(!HasCalendarTargetSetting() || (QGuiApplication::keyboardModifiers() & Qt::ShiftModifier));
    return exporter;
}

CalendarExport* ExportFeastsToCalendar(QWidget* owner, int year, const CalendarData& data, const PlaceChoice& place,
                                       int candleMinutes) {
    std::vector<ExportOption> options = {
        {CalendarExport::tr("Candle-lighting, Havdalah and fast times"), QStringLiteral("chkTimes"), false},
        {CalendarExport::tr("Personal dates, with a reminder the evening before"), QStringLiteral("chkPersonal"), false}};
    auto* exporter = new CalendarExport(
        owner, CalendarExport::tr("the holy days of %1").arg(year), FeastExportScope(year), std::move(options),
        [year, data, place, candleMinutes](const std::vector<bool>& chosen) {
            CalendarSource source(data);
            source.SetPlace(place);
            return FeastYearItems(source, year, {chosen[0], chosen[1], candleMinutes});
        });
    exporter->Begin(true);
    return exporter;
}

}  // namespace varnel
