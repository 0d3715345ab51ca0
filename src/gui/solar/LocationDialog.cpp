#include "gui/solar/LocationDialog.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/common/Date.h"
#include "core/solar/Location.h"
#include "gui/solar/SystemTimeZone.h"

namespace varnel {
namespace {

QString NumberText(double value) { return QString::number(value, 'g', QLocale::FloatingPointShortest); }

QString ToQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

LocationDialog::LocationDialog(QWidget* owner, LocationChoice choice, Date shownDate)
    : QDialog(owner),
      captionLabel_(new QLabel(QStringLiteral("Current Settings:"), this)),
      currentLabel_(new QLabel(this)),
      locationList_(new QListWidget(this)),
      oldCityLabel_(new QLabel(this)),
      systemDaylightCheck_(new QCheckBox(QStringLiteral("Use the system's daylight saving time rules"), this)),
      okButton_(new QPushButton(QStringLiteral("OK"), this)),
      cancelButton_(new QPushButton(QStringLiteral("Cancel"), this)),
      choice_(std::move(choice)),
      shownDate_(shownDate) {
    setObjectName(QStringLiteral("frmLocation"));
    setWindowTitle(QStringLiteral("Choose Location and Time Zone Rules"));
    captionLabel_->setObjectName(QStringLiteral("lblCaption"));
    currentLabel_->setObjectName(QStringLiteral("lblCurrent"));
    locationList_->setObjectName(QStringLiteral("lstLocations"));
    oldCityLabel_->setObjectName(QStringLiteral("lblOldCity"));
    systemDaylightCheck_->setObjectName(QStringLiteral("chkUseSystemDaylight"));
    okButton_->setObjectName(QStringLiteral("cmdOK"));
    cancelButton_->setObjectName(QStringLiteral("cmdCancel"));

    currentLabel_->setTextFormat(Qt::PlainText);
    currentLabel_->setMinimumHeight(currentLabel_->fontMetrics().lineSpacing() * 3);
    oldCityLabel_->setTextFormat(Qt::PlainText);
    oldCityLabel_->hide();
    okButton_->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton_);
    buttons->addWidget(cancelButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(captionLabel_);
    layout->addWidget(currentLabel_);
    layout->addWidget(locationList_, 1);
    layout->addWidget(systemDaylightCheck_);
    layout->addWidget(oldCityLabel_);
    layout->addLayout(buttons);
    resize(360, 420);

    oldCityLabel_->setText(QString::fromStdString(choice_.city));
    RefreshCurrentSettings();

    for (int i = 0; i < kCityCount; ++i) locationList_->addItem(ToQString(CityName(i)));
    const int current = FindCity(choice_.city);
    if (current >= 0) {
        locationList_->setCurrentRow(current);
        locationList_->scrollToItem(locationList_->item(current), QAbstractItemView::PositionAtCenter);
    }
    systemDaylightCheck_->setChecked(choice_.systemDaylight);

    connect(locationList_, &QListWidget::currentRowChanged, this, &LocationDialog::LocationClicked);
    // A click on the row already selected still takes its name as written in
    // the table (a stored name may differ in case or blanks).
    connect(locationList_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        const int row = locationList_->row(item);
        if (row >= 0 && choice_.city != CityName(row)) LocationClicked(row);
    });
    connect(systemDaylightCheck_, &QCheckBox::toggled, this, &LocationDialog::UseSystemDaylightToggled);
    connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelButton_, &QPushButton::clicked, this, &LocationDialog::reject);
}

void LocationDialog::RefreshCurrentSettings() {
    const Place place = PlaceForYear(choice_.city, choice_.systemDaylight, shownDate_.Year());
    const DaylightDecision decision = ApplyDaylightRule(place.daylight, shownDate_);
    const CityEntry* row = CityAt(place.cityIndex);
    currentLabel_->setText(QString::fromStdString(choice_.city) + QStringLiteral("\nLatitude:") +
                         NumberText(row ? row->latitude : 0) + QStringLiteral(" Longitude:") +
                         NumberText(row ? row->longitude : 0) + QLatin1Char('\n') +
                         QString::fromStdString(*decision.zoneName));
}

void LocationDialog::LocationClicked(int row) {
    if (row < 0) return;
    choice_.city = std::string(CityName(row));
    RefreshCurrentSettings();
}

void LocationDialog::UseSystemDaylightToggled(bool on) {
    choice_.systemDaylight = on;
    RefreshCurrentSettings();
}

std::optional<LocationChoice> ShowLocationDialog(QWidget* owner, const LocationChoice& current, Date shownDate) {
    LocationDialog dialog(owner, current, shownDate);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.Choice();
}

}  // namespace varnel
