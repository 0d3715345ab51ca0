#pragma once
// The location dialog: pick the place for which times are computed (a
// built-in place, a place of the world list found by typing its name, or
// latitude, longitude and zone typed in), the source of its daylight rules
// and the sun's algorithm. It shows the choice for the displayed date and
// gives it back on OK; Cancel, Escape and the close box change nothing.
#include <QDialog>
#include <future>
#include <optional>
#include <string>

#include "core/common/Date.h"
#include "core/solar/Location.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
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
    // Fills the list for the search text: the built-in places whose names
    // it begins first, then the world list's (all 51 built-in places when empty).
    void FillList(const QString& text);
    void LocationClicked(int row);
    void UseCoordinates();
    void Choose(PlaceChoice next);

    QLabel* captionLabel_;
    QLabel* currentLabel_;
    QLineEdit* searchEdit_;
    QListWidget* locationList_;
    QLineEdit* latitudeEdit_;
    QLineEdit* longitudeEdit_;
    QLineEdit* zoneEdit_;
    QPushButton* coordinatesButton_;
    QLabel* coordinatesNote_;
    QLabel* oldCityLabel_;
    QCheckBox* systemDaylightCheck_;
    QComboBox* sunCombo_;
    QPushButton* okButton_;
    QPushButton* cancelButton_;
    PlaceChoice choice_;
    Date shownDate_;
    // The world list read while the dialog opens (a quarter of a second the
    // first time), so that the first letter typed finds it ready; waited for
    // on closing.
    std::future<void> worldLoad_;
};

// Opens the dialog modally; the choice on OK, nothing otherwise.
std::optional<PlaceChoice> ShowLocationDialog(QWidget* owner, const PlaceChoice& current, Date shownDate);

}  // namespace varnel
