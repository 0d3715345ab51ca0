#include "gui/solar/frmLocation.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/common/DateSerial.h"
#include "core/solar/Location.h"
#include "gui/solar/SystemTimeZone.h"

namespace varnel {
namespace {

QString NumberText(double value) { return QString::number(value, 'g', QLocale::FloatingPointShortest); }

QString ToQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

frmLocation::frmLocation(QWidget* owner, LocationChoice choice, int32_t shownDate)
    : QDialog(owner),
      lblCaption_(new QLabel(QStringLiteral("Current Settings:"), this)),
      lblCurrent_(new QLabel(this)),
      lstLocations_(new QListWidget(this)),
      lblOldCity_(new QLabel(this)),
      chkUseSystemDaylight_(new QCheckBox(QStringLiteral("Use the system's daylight saving time rules"), this)),
      cmdOK_(new QPushButton(QStringLiteral("OK"), this)),
      cmdCancel_(new QPushButton(QStringLiteral("Cancel"), this)),
      choice_(std::move(choice)),
      shownDate_(shownDate) {
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

    lblOldCity_->setText(QString::fromStdString(choice_.city));
    RefreshCurrentSettings();

    const clsSunrise table;
    for (int i = 0; i < table.CityCount(); ++i) lstLocations_->addItem(ToQString(table.CityName(i)));
    const int current = clsSunrise::FindCity(choice_.city);
    if (current >= 0) {
        lstLocations_->setCurrentRow(current);
        lstLocations_->scrollToItem(lstLocations_->item(current), QAbstractItemView::PositionAtCenter);
    }
    chkUseSystemDaylight_->setChecked(choice_.systemDaylight);

    connect(lstLocations_, &QListWidget::currentRowChanged, this, &frmLocation::LocationClicked);
    // A click on the row already selected still takes its name as written in
    // the table (a stored name may differ in case or blanks).
    connect(lstLocations_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        const int row = lstLocations_->row(item);
        if (row >= 0 && choice_.city != clsSunrise().CityName(row)) LocationClicked(row);
    });
    connect(chkUseSystemDaylight_, &QCheckBox::toggled, this, &frmLocation::UseSystemDaylightToggled);
    connect(cmdOK_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdCancel_, &QPushButton::clicked, this, &frmLocation::reject);
}

void frmLocation::RefreshCurrentSettings() {
    const Place place = PlaceForYear(choice_.city, choice_.systemDaylight, YearOf(shownDate_));
    const DaylightDecision decision = ApplyDaylightRule(place.daylight, shownDate_);
    const CityEntry* row = clsSunrise::CityAt(place.cityIndex);
    lblCurrent_->setText(QString::fromStdString(choice_.city) + QStringLiteral("\nLatitude:") +
                         NumberText(row ? row->latitude : 0) + QStringLiteral(" Longitude:") +
                         NumberText(row ? row->longitude : 0) + QLatin1Char('\n') +
                         QString::fromStdString(*decision.zoneName));
}

void frmLocation::LocationClicked(int row) {
    if (row < 0) return;
    choice_.city = std::string(clsSunrise().CityName(row));
    RefreshCurrentSettings();
}

void frmLocation::UseSystemDaylightToggled(bool on) {
    choice_.systemDaylight = on;
    RefreshCurrentSettings();
}

std::optional<LocationChoice> ShowLocationDialog(QWidget* owner, const LocationChoice& current, int32_t shownDate) {
    frmLocation dialog(owner, current, shownDate);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.Choice();
}

}  // namespace varnel
