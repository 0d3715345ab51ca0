#pragma once
// Choosing the calendar the month's portions go to: an iCalendar file (path,
// with a file dialog) or a CalDAV server (URL, user name, password and
// "Remember password").
#include <QDialog>

#include "gui/appointments/CalendarTarget.h"

class QCheckBox;
class QLineEdit;
class QRadioButton;

namespace varnel {

class frmCalendarTarget : public QDialog {
    Q_OBJECT
public:
    frmCalendarTarget(const CalendarTarget& current, QWidget* owner);

    CalendarTarget Target() const;
    QString Password() const;
    bool RememberPassword() const;
    void SetRememberPassword(bool remember);

    QRadioButton* FileOption() const { return optFile_; }
    QRadioButton* ServerOption() const { return optServer_; }
    QLineEdit* PathBox() const { return txtPath_; }
    QLineEdit* UrlBox() const { return txtUrl_; }
    QLineEdit* UserBox() const { return txtUser_; }
    QLineEdit* PasswordBox() const { return txtPassword_; }

    void accept() override;

private:
    void SyncEnabled();

    QRadioButton* optFile_;
    QRadioButton* optServer_;
    QLineEdit* txtPath_;
    QLineEdit* txtUrl_;
    QLineEdit* txtUser_;
    QLineEdit* txtPassword_;
    QCheckBox* chkRemember_;
};

}  // namespace varnel
