#pragma once
// The go-to-date dialog: a date picker opened on the displayed month. OK
// gives the first of the picked month.
#include <QDialog>
#include <optional>

#include "core/common/Date.h"

class QCalendarWidget;
class QPushButton;

namespace varnel {

class GoToDateDialog : public QDialog {
    Q_OBJECT
public:
    explicit GoToDateDialog(QWidget* owner = nullptr, Date shown = Today());

    void accept() override;
    // The first of the picked month, once OK was pressed on a date in range.
    std::optional<Date> Picked() const { return picked_; }

private:
    QCalendarWidget* datePicker_;
    QPushButton* okButton_;
    QPushButton* cancelButton_;
    std::optional<Date> picked_;
};

// Opens the dialog modally on the shown date; the first of the picked month,
// or nothing when the dialog was cancelled.
std::optional<Date> ShowGoToDateDialog(QWidget* owner, Date shown);

}  // namespace varnel
