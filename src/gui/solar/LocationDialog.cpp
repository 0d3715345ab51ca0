#include "gui/solar/LocationDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/common/Date.h"
#include "core/solar/PlaceSettings.h"
#include "core/solar/WorldPlaces.h"
#include "core/solar/ZoneClock.h"

namespace varnel {
namespace {

// How many world places a search shows: enough to scroll, few enough to fill at once.
constexpr size_t kShownWorldPlaces = 200;
// A row's data: the built-in index, or the world place's address.
constexpr int kCityRole = Qt::UserRole;
constexpr int kWorldRole = Qt::UserRole + 1;

QString NumberText(double value) { return QString::number(value, 'g', QLocale::FloatingPointShortest); }

QString ToQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

LocationDialog::LocationDialog(QWidget* owner, PlaceChoice choice, Date shownDate)
    : QDialog(owner),
      captionLabel_(new QLabel(QStringLiteral("Current Settings:"), this)),
      currentLabel_(new QLabel(this)),
      searchEdit_(new QLineEdit(this)),
      locationList_(new QListWidget(this)),
      latitudeEdit_(new QLineEdit(this)),
      longitudeEdit_(new QLineEdit(this)),
      zoneEdit_(new QLineEdit(this)),
      coordinatesButton_(new QPushButton(QStringLiteral("Use These Coordinates"), this)),
      coordinatesNote_(new QLabel(this)),
      oldCityLabel_(new QLabel(this)),
      systemDaylightCheck_(new QCheckBox(QStringLiteral("Use the system's daylight saving time rules"), this)),
      sunCombo_(new QComboBox(this)),
      okButton_(new QPushButton(QStringLiteral("OK"), this)),
      cancelButton_(new QPushButton(QStringLiteral("Cancel"), this)),
      choice_(std::move(choice)),
      shownDate_(shownDate) {
    worldLoad_ = std::async(std::launch::async, [] { WorldPlaces::Shared(); });
    setObjectName(QStringLiteral("frmLocation"));
    setWindowTitle(QStringLiteral("Choose Location and Time Zone Rules"));
    captionLabel_->setObjectName(QStringLiteral("lblCaption"));
    currentLabel_->setObjectName(QStringLiteral("lblCurrent"));
    searchEdit_->setObjectName(QStringLiteral("txtSearch"));
    locationList_->setObjectName(QStringLiteral("lstLocations"));
    latitudeEdit_->setObjectName(QStringLiteral("txtLatitude"));
    longitudeEdit_->setObjectName(QStringLiteral("txtLongitude"));
    zoneEdit_->setObjectName(QStringLiteral("txtZone"));
    coordinatesButton_->setObjectName(QStringLiteral("cmdUseCoordinates"));
    coordinatesNote_->setObjectName(QStringLiteral("lblCoordinatesNote"));
    oldCityLabel_->setObjectName(QStringLiteral("lblOldCity"));
    systemDaylightCheck_->setObjectName(QStringLiteral("chkUseSystemDaylight"));
    sunCombo_->setObjectName(QStringLiteral("cboSunAlgorithm"));
    okButton_->setObjectName(QStringLiteral("cmdOK"));
    cancelButton_->setObjectName(QStringLiteral("cmdCancel"));

    currentLabel_->setTextFormat(Qt::PlainText);
    currentLabel_->setMinimumHeight(currentLabel_->fontMetrics().lineSpacing() * 3);
    searchEdit_->setPlaceholderText(QStringLiteral("Type a place's name to search the world"));
    searchEdit_->setClearButtonEnabled(true);
    searchEdit_->setAccessibleName(QStringLiteral("Search places"));
    latitudeEdit_->setPlaceholderText(QStringLiteral("degrees, north positive"));
    longitudeEdit_->setPlaceholderText(QStringLiteral("degrees, east positive"));
    zoneEdit_->setPlaceholderText(QStringLiteral("e.g. America/New_York"));
    coordinatesNote_->setTextFormat(Qt::PlainText);
    oldCityLabel_->setTextFormat(Qt::PlainText);
    oldCityLabel_->hide();
    sunCombo_->addItem(QStringLiteral("Classic"));
    sunCombo_->addItem(QStringLiteral("Precise"));
    sunCombo_->setAccessibleName(QStringLiteral("Sun's algorithm"));
    okButton_->setDefault(true);

    auto* coordinates = new QFormLayout;
    coordinates->addRow(QStringLiteral("&Latitude:"), latitudeEdit_);
    coordinates->addRow(QStringLiteral("L&ongitude:"), longitudeEdit_);
    coordinates->addRow(QStringLiteral("&Zone:"), zoneEdit_);
    auto* sunRow = new QFormLayout;
    sunRow->addRow(QStringLiteral("&Sun:"), sunCombo_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton_);
    buttons->addWidget(cancelButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(captionLabel_);
    layout->addWidget(currentLabel_);
    layout->addWidget(searchEdit_);
    layout->addWidget(locationList_, 1);
    layout->addLayout(coordinates);
    layout->addWidget(coordinatesButton_);
    layout->addWidget(coordinatesNote_);
    layout->addWidget(systemDaylightCheck_);
    layout->addLayout(sunRow);
    layout->addWidget(oldCityLabel_);
    layout->addLayout(buttons);
    resize(420, 560);

    oldCityLabel_->setText(QString::fromStdString(choice_.name));
    if (choice_.custom) {
        latitudeEdit_->setText(NumberText(choice_.latitude));
        longitudeEdit_->setText(NumberText(choice_.longitude));
        zoneEdit_->setText(QString::fromStdString(choice_.zone));
    }
    RefreshCurrentSettings();
    FillList({});
    const int current = choice_.custom ? -1 : FindCity(choice_.name);
    if (current >= 0) {
        locationList_->setCurrentRow(current);
        locationList_->scrollToItem(locationList_->item(current), QAbstractItemView::PositionAtCenter);
    }
    systemDaylightCheck_->setChecked(choice_.systemDaylight);
    sunCombo_->setCurrentIndex(choice_.sun == SunAlgorithm::Precise ? 1 : 0);

    connect(searchEdit_, &QLineEdit::textChanged, this, &LocationDialog::FillList);
    connect(locationList_, &QListWidget::currentRowChanged, this, &LocationDialog::LocationClicked);
    // A click on the row already selected still takes its name as the list
    // writes it (a stored name may differ in case or blanks).
    connect(locationList_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { LocationClicked(locationList_->row(item)); });
    connect(coordinatesButton_, &QPushButton::clicked, this, &LocationDialog::UseCoordinates);
    connect(systemDaylightCheck_, &QCheckBox::toggled, this, [this](bool on) {
        choice_.systemDaylight = on;
        RefreshCurrentSettings();
    });
    connect(sunCombo_, &QComboBox::currentIndexChanged, this, [this](int index) {
        choice_.sun = index == 1 ? SunAlgorithm::Precise : SunAlgorithm::Classic;
    });
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

void LocationDialog::FillList(const QString& text) {
    const QSignalBlocker block(locationList_);
    locationList_->clear();
    const std::string wanted = FoldForSearch(text.trimmed().toStdString());
    for (int i = 0; i < kCityCount; ++i) {
        if (!wanted.empty() && FoldForSearch(CityName(i)).rfind(wanted, 0) != 0) continue;
        auto* item = new QListWidgetItem(ToQString(CityName(i)), locationList_);
        item->setData(kCityRole, i);
    }
    if (wanted.empty()) return;
    for (const WorldPlace* p : WorldPlaces::Shared().Search(wanted, kShownWorldPlaces)) {
        auto* item = new QListWidgetItem(QString::fromStdString(FullName(*p)), locationList_);
        item->setData(kWorldRole, QVariant::fromValue(reinterpret_cast<quintptr>(p)));
    }
}

void LocationDialog::Choose(PlaceChoice next) {
    next.systemDaylight = choice_.systemDaylight;
    next.sun = choice_.sun;
    choice_ = std::move(next);
    RefreshCurrentSettings();
}

void LocationDialog::LocationClicked(int row) {
    const QListWidgetItem* item = row >= 0 ? locationList_->item(row) : nullptr;
    if (!item) return;
    if (const QVariant world = item->data(kWorldRole); world.isValid()) {
        const auto* place = reinterpret_cast<const WorldPlace*>(world.value<quintptr>());
        Choose(ChoiceOfWorldPlace(*place));
        latitudeEdit_->setText(NumberText(place->latitude));
        longitudeEdit_->setText(NumberText(place->longitude));
        zoneEdit_->setText(ToQString(place->zone));
    } else {
        Choose(ChoiceOfCity(CityName(item->data(kCityRole).toInt())));
    }
}

void LocationDialog::UseCoordinates() {
    const std::optional<double> latitude = ParseDegrees(latitudeEdit_->text().toStdString(), 90);
    const std::optional<double> longitude = ParseDegrees(longitudeEdit_->text().toStdString(), 180);
    const std::string zone = zoneEdit_->text().trimmed().toStdString();
    QString problem;
    if (!latitude) problem = QStringLiteral("The latitude must be decimal degrees from -90 to 90 (north positive).");
    else if (!longitude) problem = QStringLiteral("The longitude must be decimal degrees from -180 to 180 (east positive).");
    else if (!IsKnownZone(zone)) problem = QStringLiteral("The zone must be one of the time-zone database, such as America/New_York.");
    coordinatesNote_->setText(problem);
    if (!problem.isEmpty()) return;
    PlaceChoice typed;
    typed.custom = true;
    typed.latitude = *latitude;
    typed.longitude = *longitude;
    typed.zone = zone;
    typed.name = CoordinatesName(*latitude, *longitude);
    locationList_->setCurrentRow(-1);
    Choose(std::move(typed));
}

std::optional<PlaceChoice> ShowLocationDialog(QWidget* owner, const PlaceChoice& current, Date shownDate) {
    LocationDialog dialog(owner, current, shownDate);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.Choice();
}

}  // namespace varnel
