#include "gui/views/GoToDateDialog.h"

#include <QCalendarWidget>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTextCharFormat>
#include <QVBoxLayout>

#include "core/common/Date.h"

namespace varnel {

GoToDateDialog::GoToDateDialog(QWidget* owner, Date shown)
    : QDialog(owner),
      datePicker_(new QCalendarWidget(this)),
      okButton_(new QPushButton(QStringLiteral("OK"), this)),
      cancelButton_(new QPushButton(QStringLiteral("Cancel"), this)) {
    setObjectName(QStringLiteral("frmGoToDate"));
    setWindowTitle(QStringLiteral("Go To Date..."));
    datePicker_->setObjectName(QStringLiteral("calDate"));
    okButton_->setObjectName(QStringLiteral("cmdOK"));
    cancelButton_->setObjectName(QStringLiteral("cmdCancel"));
    okButton_->setDefault(true);

    // The program's whole date range, so any month it can show can be picked.
    datePicker_->setDateRange(QDate(kMinYear, 1, 1), QDate(kMaxYear, 12, 31));
    datePicker_->setGridVisible(true);
    // Weeks run Sunday to Shabbat as in the views; only Shabbat is marked.
    datePicker_->setFirstDayOfWeek(Qt::Sunday);
    datePicker_->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    datePicker_->setWeekdayTextFormat(Qt::Sunday, datePicker_->weekdayTextFormat(Qt::Monday));
    if (shown.IsInSupportedRange()) {
        const YearMonthDay ymd = shown.Parts();
        datePicker_->setSelectedDate(QDate(ymd.year, ymd.month, ymd.day));
    }

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton_);
    buttons->addWidget(cancelButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(datePicker_);
    layout->addLayout(buttons);

    connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
    connect(datePicker_, &QCalendarWidget::activated, this, &QDialog::accept);  // double-click or Enter on a day
}

void GoToDateDialog::accept() {
    const QDate picked = datePicker_->selectedDate();
    if (picked.isValid() && picked.year() >= kMinYear && picked.year() <= kMaxYear)
        picked_ = Date(picked.year(), picked.month(), 1);
    QDialog::accept();
}

std::optional<Date> ShowGoToDateDialog(QWidget* owner, Date shown) {
    GoToDateDialog dialog(owner, shown);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.Picked();
}

}  // namespace varnel
