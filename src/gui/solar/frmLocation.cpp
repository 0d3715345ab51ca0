#include "gui/solar/frmLocation.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/calendar/CalendarState.h"
#include "core/solar/Location.h"
#include "gui/solar/SystemTimeZone.h"

namespace varnel {
namespace {

QString NumberText(double value) { return QString::number(value, 'g', QLocale::FloatingPointShortest); }

QString ToQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

frmLocation::frmLocation(QWidget* owner)
    : QDialog(owner),
      lblCaption_(new QLabel(QStringLiteral("Current Settings:"), this)),
      lblCurrent_(new QLabel(this)),
      lstLocations_(new QListWidget(this)),
      lblOldCity_(new QLabel(this)),
      chkUseSystemDaylight_(new QCheckBox(QStringLiteral("Use Windows system daylight savings time information"), this)),
      cmdOK_(new QPushButton(QStringLiteral("OK"), this)),
      cmdCancel_(new QPushButton(QStringLiteral("Cancel"), this)),
      oldUseSystemDaylight_(UseSystemDaylight) {
    setObjectName(QStringLiteral("frmLocation"));
    setWindowTitle(QStringLiteral("Choose Location and Time Zone Rules"));
    lblCaption_->setObjectName(QStringLiteral("lblCaption"));
    lblCurrent_->setObjectName(QStringLiteral("lblCurrent"));
    lstLocations_->setObjectName(QStringLiteral("lstLocations"));
    lblOldCity_->setObjectName(QStringLiteral("lblOldCity"));
    chkUseSystemDaylight_->setObjectName(QStringLiteral("chkUseSystemDaylight"));
    cmdOK_->setObjectName(QStringLiteral("cmdOK"));
    cmdCancel_->setObjectName(QStringLiteral("cmdCancel"));

    lblCurrent_->setTextFormat(Qt::PlainText);
    lblCurrent_->setMinimumHeight(lblCurrent_->fontMetrics().lineSpacing() * 3);
    lblOldCity_->setTextFormat(Qt::PlainText);
    lblOldCity_->hide();
    cmdOK_->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK_);
    buttons->addWidget(cmdCancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblCaption_);
    layout->addWidget(lblCurrent_);
    layout->addWidget(lstLocations_, 1);
    layout->addWidget(chkUseSystemDaylight_);
    layout->addWidget(lblOldCity_);
    layout->addLayout(buttons);
    resize(360, 420);

    // The calculator may still hold a place clicked in an earlier, cancelled
    // visit; the settings shown are those of the current place.
    lblOldCity_->setText(QString::fromStdString(CurrentCity));
    Sun().SetCity(CurrentCity);
    RefreshCurrentSettings();

    clsSunrise& sun = Sun();
    for (int i = 0; i < sun.CityCount(); ++i) lstLocations_->addItem(ToQString(sun.CityName(i)));
    const int current = clsSunrise::FindCity(CurrentCity);
    if (current >= 0) {
        lstLocations_->setCurrentRow(current);
        lstLocations_->scrollToItem(lstLocations_->item(current), QAbstractItemView::PositionAtCenter);
    }
    chkUseSystemDaylight_->setChecked(UseSystemDaylight);

    connect(lstLocations_, &QListWidget::currentRowChanged, this, &frmLocation::LocationClicked);
    // A click on the row already selected still takes its name as written in
    // the table (a stored name may differ in case or blanks).
    connect(lstLocations_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        const int row = lstLocations_->row(item);
        if (row >= 0 && CurrentCity != Sun().CityName(row)) LocationClicked(row);
    });
    connect(chkUseSystemDaylight_, &QCheckBox::toggled, this, &frmLocation::UseSystemDaylightToggled);
    connect(cmdOK_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdCancel_, &QPushButton::clicked, this, &frmLocation::reject);
}

void frmLocation::RefreshCurrentSettings() {
    const std::string& zoneName = ApplyDaylightRule(CurrentDate);
    const clsSunrise& sun = Sun();
    lblCurrent_->setText(QString::fromStdString(CurrentCity) + QStringLiteral("\nLatitude:") +
                         NumberText(sun.Latitude()) + QStringLiteral(" Longitude:") + NumberText(sun.Longitude()) +
                         QLatin1Char('\n') + QString::fromStdString(zoneName));
}

void frmLocation::LocationClicked(int row) {
    if (row < 0) return;
    CurrentCity = std::string(Sun().CityName(row));
    Sun().SetCity(CurrentCity);
    // The place's own rules change with the place.
    if (!UseSystemDaylight) LoadTimeZoneRules();
    RefreshCurrentSettings();
}

void frmLocation::UseSystemDaylightToggled(bool on) {
    UseSystemDaylight = on;
    LoadTimeZoneRules();
    RefreshCurrentSettings();
}

void frmLocation::reject() {
    const bool reload = !UseSystemDaylight || UseSystemDaylight != oldUseSystemDaylight_;
    CurrentCity = lblOldCity_->text().toStdString();
    UseSystemDaylight = oldUseSystemDaylight_;
    if (reload) LoadTimeZoneRules();
    QDialog::reject();
}

int ShowLocationDialog(QWidget* owner) {
    frmLocation dialog(owner);
    return dialog.exec();
}

}  // namespace varnel
