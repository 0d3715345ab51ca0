#include "gui/appointments/frmCalendarTarget.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QUrl>

#include "core/appointments/IcsFileCalendar.h"
#include "core/common/Files.h"
#include "gui/appointments/CalDavCalendar.h"

namespace varnel {

frmCalendarTarget::frmCalendarTarget(const CalendarTarget& current, QWidget* owner)
    : QDialog(owner), optFile_(new QRadioButton(tr("iCalendar file"), this)),
      optServer_(new QRadioButton(tr("CalDAV server"), this)), txtPath_(new QLineEdit(this)),
      txtUrl_(new QLineEdit(this)), txtUser_(new QLineEdit(this)), txtPassword_(new QLineEdit(this)),
      chkRemember_(new QCheckBox(tr("Remember password"), this)) {
    setObjectName(QStringLiteral("frmCalendarTarget"));
    setWindowTitle(tr("Export to calendar"));
    txtPassword_->setEchoMode(QLineEdit::Password);
    txtUrl_->setPlaceholderText(QStringLiteral("https://server/calendars/user/calendar/"));
    auto* browse = new QPushButton(tr("Browse..."), this);
    auto* pathRow = new QHBoxLayout;
    pathRow->addWidget(txtPath_);
    pathRow->addWidget(browse);
    auto* form = new QFormLayout(this);
    form->addRow(optFile_);
    form->addRow(tr("File:"), pathRow);
    form->addRow(optServer_);
    form->addRow(tr("URL:"), txtUrl_);
    form->addRow(tr("User name:"), txtUser_);
    form->addRow(tr("Password:"), txtPassword_);
    form->addRow(chkRemember_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    form->addRow(buttons);

    if (current.IsServer()) {
        optServer_->setChecked(true);
        txtUrl_->setText(current.target);
        txtPath_->setText(QString::fromStdString(DefaultIcsPath(ProgramFolder())));
    } else {
        optFile_->setChecked(true);
        txtPath_->setText(current.target);
    }
    txtUser_->setText(current.user);
    connect(optFile_, &QRadioButton::toggled, this, &frmCalendarTarget::SyncEnabled);
    connect(browse, &QPushButton::clicked, this, [this] {
        const QString path = QFileDialog::getSaveFileName(this, tr("iCalendar file"), txtPath_->text(),
                                                          tr("iCalendar files (*.ics);;All files (*)"), nullptr,
                                                          QFileDialog::DontConfirmOverwrite);
        if (!path.isEmpty()) txtPath_->setText(path);
    });
    connect(buttons, &QDialogButtonBox::accepted, this, &frmCalendarTarget::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &frmCalendarTarget::reject);
    SyncEnabled();
}

void frmCalendarTarget::SyncEnabled() {
    const bool file = optFile_->isChecked();
    txtPath_->setEnabled(file);
    for (QWidget* w : {static_cast<QWidget*>(txtUrl_), static_cast<QWidget*>(txtUser_),
                       static_cast<QWidget*>(txtPassword_), static_cast<QWidget*>(chkRemember_)})
        w->setEnabled(!file);
}

CalendarTarget frmCalendarTarget::Target() const {
    CalendarTarget t;
    t.target = (optFile_->isChecked() ? txtPath_ : txtUrl_)->text().trimmed();
    t.user = optFile_->isChecked() ? QString() : txtUser_->text().trimmed();
    return t;
}

QString frmCalendarTarget::Password() const { return txtPassword_->text(); }
bool frmCalendarTarget::RememberPassword() const { return optServer_->isChecked() && chkRemember_->isChecked(); }
void frmCalendarTarget::SetRememberPassword(bool remember) { chkRemember_->setChecked(remember); }

void frmCalendarTarget::accept() {
    const CalendarTarget t = Target();
    std::string error;
    if (t.target.isEmpty()) error = optFile_->isChecked() ? "Choose a file." : "Enter the calendar's URL.";
    else if (optServer_->isChecked() && !IsAllowedCalDavUrl(QUrl(t.target), error)) error = "The URL cannot be used: " + error + ".";
    else if (optServer_->isChecked() && !t.IsServer()) error = "The URL must begin with https://.";
    if (!error.empty()) {
        QMessageBox::warning(this, windowTitle(), QString::fromStdString(error));
        return;
    }
    QDialog::accept();
}

}  // namespace varnel
