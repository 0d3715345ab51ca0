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

class CalendarTargetDialog : public QDialog {
    Q_OBJECT
public:
    CalendarTargetDialog(const CalendarTarget& current, QWidget* owner);

    CalendarTarget Target() const;
    QString Password() const;
    bool RememberPassword() const;
    void SetRememberPassword(bool remember);

    QRadioButton* FileOption() const { return fileRadio_; }
    QRadioButton* ServerOption() const { return serverRadio_; }
    QLineEdit* PathBox() const { return pathEdit_; }
    QLineEdit* UrlBox() const { return urlEdit_; }
    QLineEdit* UserBox() const { return userEdit_; }
    QLineEdit* PasswordBox() const { return passwordEdit_; }

    void accept() override;

private:
    void SyncEnabled();

    QRadioButton* fileRadio_;
    QRadioButton* serverRadio_;
    QLineEdit* pathEdit_;
    QLineEdit* urlEdit_;
    QLineEdit* userEdit_;
    QLineEdit* passwordEdit_;
    QCheckBox* rememberCheck_;
};

}  // namespace varnel
