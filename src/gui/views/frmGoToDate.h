#pragma once
// The go-to-date dialog: a date picker opened on CurrentDate. OK sets
// CurrentDate to the first of the picked month; the caller compares it before
// and after and brings the month's bounds up to date.
#include <QDialog>

class QCalendarWidget;
class QPushButton;

namespace varnel {

class frmGoToDate : public QDialog {
    Q_OBJECT
public:
    explicit frmGoToDate(QWidget* owner = nullptr);

    void accept() override;

private:
    QCalendarWidget* calDate_;
    QPushButton* cmdOK_;
    QPushButton* cmdCancel_;
};

// Opens the dialog modally, owned by `owner`; returns QDialog's result.
int ShowGoToDateDialog(QWidget* owner = nullptr);

}  // namespace varnel
