#pragma once
// The colour-scheme dialog: four schemes, each with its two samples. OK makes
// the chosen scheme current (ColorScheme, HolyDayColor, ShabbatColor); the
// caller compares ColorScheme before and after to decide whether to render.
#include <QDialog>
#include <array>

class QLabel;
class QPushButton;
class QRadioButton;

namespace varnel {

class frmColors : public QDialog {
    Q_OBJECT
public:
    explicit frmColors(QWidget* owner = nullptr);

    void accept() override;

private:
    std::array<QRadioButton*, 4> optScheme_{};
    std::array<QLabel*, 4> lblHolyDays_{};
    std::array<QLabel*, 4> lblShabbat_{};
    QPushButton* cmdOK_;
    QPushButton* cmdCancel_;
};

// Opens the dialog modally, owned by `owner`; returns QDialog's result.
int ShowColorsDialog(QWidget* owner = nullptr);

}  // namespace varnel
