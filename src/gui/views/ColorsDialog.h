#pragma once
// The colour-scheme dialog: four schemes, each with its two samples, opened
// on the current scheme. OK gives the chosen scheme.
#include <QDialog>
#include <array>
#include <optional>

class QLabel;
class QPushButton;
class QRadioButton;

namespace varnel {

class ColorsDialog : public QDialog {
    Q_OBJECT
public:
    explicit ColorsDialog(QWidget* owner = nullptr, int current = 0);

    void accept() override;
    std::optional<int> Chosen() const { return chosen_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::array<QRadioButton*, 4> schemeRadios_{};
    std::array<QLabel*, 4> holyDaysLabel_{};
    std::array<QLabel*, 4> shabbatLabel_{};
    QPushButton* okButton_;
    QPushButton* cancelButton_;
    std::optional<int> chosen_;
};

// Opens the dialog modally on the current scheme; the chosen scheme, or
// nothing when the dialog was cancelled or no scheme was selected.
std::optional<int> ShowColorsDialog(QWidget* owner, int current);

}  // namespace varnel
