#include "gui/solar/LocationDialog.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/common/Date.h"
#include "core/solar/Location.h"

namespace varnel {
namespace {

QString NumberText(double value) { return QString::number(value, 'g', QLocale::FloatingPointShortest); }

QString ToQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

LocationDialog::LocationDialog(QWidget* owner, PlaceChoice choice, Date shownDate)
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

    oldCityLabel_->setText(QString::fromStdString(choice_.name));
    RefreshCurrentSettings();

    for (int i = 0; i < kCityCount; ++i) locationList_->addItem(ToQString(CityName(i)));
    const int current = choice_.custom ? -1 : FindCity(choice_.name);
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
        if (row >= 0 && choice_.name != CityName(row)) LocationClicked(row);
    });
    connect(systemDaylightCheck_, &QCheckBox::toggled, this, &LocationDialog::UseSystemDaylightToggled);
    connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelButton_, &QPushButton::clicked, this, &LocationDialog::reject);
}

void LocationDialog::RefreshCurrentSettings() {
    const Place place = PlaceInYear(choice_, shownDate_.Year());
    const SunDay sun = SunOn(shownDate_, place);
    currentLabel_->setText(QString::fromStdString(choice_.name) + QStringLiteral("\nLatitude:") +
                           NumberText(place.site.latitude) + QStringLiteral(" Longitude:") +
                           NumberText(place.site.longitude) + QLatin1Char('\n') + ToQString(sun.zoneName));
}

void LocationDialog::LocationClicked(int row) {
    if (row < 0) return;
    PlaceChoice next = ChoiceOfCity(CityName(row));
    next.systemDaylight = choice_.systemDaylight;
    next.sun = choice_.sun;
    choice_ = next;
    RefreshCurrentSettings();
}

void LocationDialog::UseSystemDaylightToggled(bool on) {
    choice_.systemDaylight = on;
    RefreshCurrentSettings();
}

std::optional<PlaceChoice> ShowLocationDialog(QWidget* owner, const PlaceChoice& current, Date shownDate) {
    LocationDialog dialog(owner, current, shownDate);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.Choice();
}

}  // namespace varnel
