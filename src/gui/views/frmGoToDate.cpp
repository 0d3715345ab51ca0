#include "gui/views/frmGoToDate.h"

#include <QCalendarWidget>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTextCharFormat>
#include <QVBoxLayout>

#include "core/common/DateSerial.h"

namespace varnel {

frmGoToDate::frmGoToDate(QWidget* owner, int32_t shown)
    : QDialog(owner),
      calDate_(new QCalendarWidget(this)),
      cmdOK_(new QPushButton(QStringLiteral("OK"), this)),
      cmdCancel_(new QPushButton(QStringLiteral("Cancel"), this)) {
    setObjectName(QStringLiteral("frmGoToDate"));
    setWindowTitle(QStringLiteral("Go To Date..."));
    calDate_->setObjectName(QStringLiteral("calDate"));
    cmdOK_->setObjectName(QStringLiteral("cmdOK"));
    cmdCancel_->setObjectName(QStringLiteral("cmdCancel"));
    cmdOK_->setDefault(true);

    // The program's whole date range, so any month it can show can be picked.
    calDate_->setDateRange(QDate(kMinYear, 1, 1), QDate(kMaxYear, 12, 31));
    calDate_->setGridVisible(true);
    // Weeks run Sunday to Shabbat as in the views; only Shabbat is marked.
    calDate_->setFirstDayOfWeek(Qt::Sunday);
    calDate_->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    calDate_->setWeekdayTextFormat(Qt::Sunday, calDate_->weekdayTextFormat(Qt::Monday));
    if (IsInSupportedRange(shown)) {
        const YearMonthDay ymd = SplitDate(shown);
        calDate_->setSelectedDate(QDate(ymd.year, ymd.month, ymd.day));
    }

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK_);
    buttons->addWidget(cmdCancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(calDate_);
    layout->addLayout(buttons);

    connect(cmdOK_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdCancel_, &QPushButton::clicked, this, &QDialog::reject);
    connect(calDate_, &QCalendarWidget::activated, this, &QDialog::accept);  // double-click or Enter on a day
}

void frmGoToDate::accept() {
    const QDate picked = calDate_->selectedDate();
    if (picked.isValid() && picked.year() >= kMinYear && picked.year() <= kMaxYear)
        picked_ = DateSerial(picked.year(), picked.month(), 1);
    QDialog::accept();
}

std::optional<int32_t> ShowGoToDateDialog(QWidget* owner, int32_t shown) {
    frmGoToDate dialog(owner, shown);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.Picked();
}

}  // namespace varnel
