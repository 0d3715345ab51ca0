#pragma once
// The location dialog: pick the place for which times are computed and the
// source of its daylight rules. Its result is the shared state it changes:
// CurrentCity (and UseSystemDaylight).
#include <QDialog>

class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace varnel {

class frmLocation : public QDialog {
    Q_OBJECT
public:
    explicit frmLocation(QWidget* owner = nullptr);

    // Cancel, Escape and the close box all restore the place and rule source
    // shown when the dialog opened.
    void reject() override;

private:
    void RefreshCurrentSettings();
    void LocationClicked(int row);
    void UseSystemDaylightToggled(bool on);

    QLabel* lblCaption_;
    QLabel* lblCurrent_;
    QListWidget* lstLocations_;
    QLabel* lblOldCity_;
    QCheckBox* chkUseSystemDaylight_;
    QPushButton* cmdOK_;
    QPushButton* cmdCancel_;
    bool oldUseSystemDaylight_;
};

// Opens the dialog modally, owned by `owner`; returns QDialog's result.
int ShowLocationDialog(QWidget* owner = nullptr);

}  // namespace varnel
