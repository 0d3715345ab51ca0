#pragma once
// Asks whether a new resource entry is a file or a web site.
#include <QDialog>
#include <array>

class QPushButton;
class QRadioButton;

namespace varnel {

class FileOrUrlDialog : public QDialog {
    Q_OBJECT
public:
    enum Choice { File = 0, WebSite = 1 };  // the option buttons' indices

    explicit FileOrUrlDialog(QWidget* owner = nullptr);

    Choice Chosen() const;
    QRadioButton* Option(Choice choice) const { return fileOrUrlRadios_[choice]; }

private:
    std::array<QRadioButton*, 2> fileOrUrlRadios_{};
    QPushButton* okButton_;
};

}  // namespace varnel
