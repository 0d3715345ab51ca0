#pragma once
// Choosing the calendar an export goes to: an iCalendar file (path, with a
// file dialog) or a CalDAV server (URL, user name, password and "Remember
// password"). The dialog says what it exports.
#include <QDialog>

#include "gui/appointments/CalendarTarget.h"

class QCheckBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace varnel {

class PathEdit;

class CalendarTargetDialog : public QDialog {
    Q_OBJECT
public:
    // subject: what goes to the calendar, as it follows "Export " (e.g. "the
    // Shabbat portions of December 2026").
    CalendarTargetDialog(const CalendarTarget& current, const QString& subject, QWidget* owner);

    CalendarTarget Target() const;
    QString Password() const;
    bool RememberPassword() const;
    void SetRememberPassword(bool remember);
    // A check box above the buttons that changes what is exported.
    QCheckBox* AddOption(const QString& text, const QString& objectName, bool checked);

    QRadioButton* FileOption() const { return fileRadio_; }
    QRadioButton* ServerOption() const { return serverRadio_; }
    PathEdit* PathBox() const { return pathEdit_; }
    QLabel* SubjectLabel() const { return subjectLabel_; }
    QLineEdit* UrlBox() const { return urlEdit_; }
    QLineEdit* UserBox() const { return userEdit_; }
    QLineEdit* PasswordBox() const { return passwordEdit_; }

    void accept() override;

private:
    void SyncEnabled();

    QRadioButton* fileRadio_;
    QRadioButton* serverRadio_;
    QLabel* subjectLabel_;
    PathEdit* pathEdit_;
    QLineEdit* urlEdit_;
    QLineEdit* userEdit_;
    QLineEdit* passwordEdit_;
    QCheckBox* rememberCheck_;
    QFormLayout* form_;
};

}  // namespace varnel
