#pragma once
// The location dialog: pick the place for which times are computed and the
// source of its daylight rules. It shows the choice for the displayed date and
// gives it back on OK; Cancel, Escape and the close box change nothing.
#include <QDialog>
#include <optional>
#include <string>

#include "core/common/Date.h"
#include "core/solar/Location.h"

class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace varnel {

class LocationDialog : public QDialog {
    Q_OBJECT
public:
    LocationDialog(QWidget* owner, PlaceChoice current, Date shownDate);
    const PlaceChoice& Choice() const { return choice_; }

private:
    void RefreshCurrentSettings();
    void LocationClicked(int row);
    void UseSystemDaylightToggled(bool on);

    QLabel* captionLabel_;
    QLabel* currentLabel_;
    QListWidget* locationList_;
    QLabel* oldCityLabel_;
    QCheckBox* systemDaylightCheck_;
    QPushButton* okButton_;
    QPushButton* cancelButton_;
    PlaceChoice choice_;
    Date shownDate_;
};

// Opens the dialog modally; the choice on OK, nothing otherwise.
std::optional<PlaceChoice> ShowLocationDialog(QWidget* owner, const PlaceChoice& current, Date shownDate);

}  // namespace varnel
