#include "gui/appointments/CalendarTargetDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QUrl>

#include "core/appointments/CalendarAddress.h"
#include "core/appointments/IcsFileCalendar.h"
#include "core/common/Files.h"
#include "gui/appointments/CalDavAddress.h"
#include "gui/common/PathEdit.h"

namespace varnel {

CalendarTargetDialog::CalendarTargetDialog(const CalendarTarget& current, const QString& subject, QWidget* owner)
    : QDialog(owner), fileRadio_(new QRadioButton(tr("iCalendar file"), this)),
      serverRadio_(new QRadioButton(tr("CalDAV server"), this)),
      subjectLabel_(new QLabel(tr("Export %1 to:").arg(subject), this)), pathEdit_(new PathEdit(this)),
      urlEdit_(new QLineEdit(this)), userEdit_(new QLineEdit(this)), passwordEdit_(new QLineEdit(this)),
      rememberCheck_(new QCheckBox(tr("Remember password"), this)), form_(new QFormLayout(this)) {
    setObjectName(QStringLiteral("frmCalendarTarget"));
    setWindowTitle(tr("Export to calendar"));
    passwordEdit_->setEchoMode(QLineEdit::Password);
    pathEdit_->setAccessibleName(tr("File"));  // its label stands beside a row, not the box
    urlEdit_->setPlaceholderText(QStringLiteral("https://server/calendars/user/calendar/"));
    auto* browse = new QPushButton(tr("Browse..."), this);
    auto* pathRow = new QHBoxLayout;
    pathRow->addWidget(pathEdit_);
    pathRow->addWidget(browse);
    subjectLabel_->setObjectName(QStringLiteral("lblSubject"));
    subjectLabel_->setWordWrap(true);
    QFormLayout* form = form_;
    form->addRow(subjectLabel_);
    form->addRow(fileRadio_);
    form->addRow(tr("File:"), pathRow);
    form->addRow(serverRadio_);
    form->addRow(tr("URL:"), urlEdit_);
    form->addRow(tr("User name:"), userEdit_);
    form->addRow(tr("Password:"), passwordEdit_);
    form->addRow(rememberCheck_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    form->addRow(buttons);

    if (current.IsServer()) {
        serverRadio_->setChecked(true);
        urlEdit_->setText(current.target);
        pathEdit_->setText(QString::fromStdString(DefaultIcsPath(ProgramFolder())));
    } else {
        fileRadio_->setChecked(true);
        pathEdit_->setText(current.target);
    }
    userEdit_->setText(current.user);
    connect(fileRadio_, &QRadioButton::toggled, this, &CalendarTargetDialog::SyncEnabled);
    connect(browse, &QPushButton::clicked, this, [this] {
        auto* chooser = new QFileDialog(this, tr("iCalendar file"), pathEdit_->text(),
                                        tr("iCalendar files (*.ics);;All files (*)"));
        chooser->setAttribute(Qt::WA_DeleteOnClose);
        chooser->setAcceptMode(QFileDialog::AcceptSave);
        chooser->setOption(QFileDialog::DontConfirmOverwrite);
        chooser->open(pathEdit_, SLOT(setText(QString)));
    });
    connect(buttons, &QDialogButtonBox::accepted, this, &CalendarTargetDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CalendarTargetDialog::reject);
    SyncEnabled();
}

void CalendarTargetDialog::SyncEnabled() {
    const bool file = fileRadio_->isChecked();
    pathEdit_->setEnabled(file);
    for (QWidget* w : {static_cast<QWidget*>(urlEdit_), static_cast<QWidget*>(userEdit_),
                       static_cast<QWidget*>(passwordEdit_), static_cast<QWidget*>(rememberCheck_)})
        w->setEnabled(!file);
}

CalendarTarget CalendarTargetDialog::Target() const {
    CalendarTarget t;
    t.target = (fileRadio_->isChecked() ? pathEdit_ : urlEdit_)->text().trimmed();
    t.user = fileRadio_->isChecked() ? QString() : userEdit_->text().trimmed();
    return t;
}

QString CalendarTargetDialog::Password() const { return passwordEdit_->text(); }
bool CalendarTargetDialog::RememberPassword() const { return serverRadio_->isChecked() && rememberCheck_->isChecked(); }
void CalendarTargetDialog::SetRememberPassword(bool remember) { rememberCheck_->setChecked(remember); }

QCheckBox* CalendarTargetDialog::AddOption(const QString& text, const QString& objectName, bool checked) {
    auto* box = new QCheckBox(text, this);
    box->setObjectName(objectName);
    box->setChecked(checked);
    form_->insertRow(form_->rowCount() - 1, box);  // above the buttons
    return box;
}

void CalendarTargetDialog::accept() {
    const CalendarTarget t = Target();
    std::string error;
    const CalendarAddress address = ClassifyCalendarAddress(t.target.toStdString());
    if (t.target.isEmpty()) error = fileRadio_->isChecked() ? "Choose a file." : "Enter the calendar's URL.";
    else if (!AddressRefusal(address).empty()) error = "The address cannot be used: " + AddressRefusal(address) + ".";
    else if (fileRadio_->isChecked() && address.kind != AddressKind::File) error = "Choose a file, or choose a CalDAV calendar for a URL.";
    else if (serverRadio_->isChecked() && !IsAllowedCalDavUrl(QUrl(t.target), error)) error = "The URL cannot be used: " + error + ".";
    else if (serverRadio_->isChecked() && !t.IsServer()) error = "The URL must begin with https://.";
    if (!error.empty()) {
        auto* box = new QMessageBox(QMessageBox::Warning, windowTitle(), QString::fromStdString(error), QMessageBox::Ok, this);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->open();
        return;
    }
    QDialog::accept();
}

}  // namespace varnel
