#pragma once
// Asks whether a new resource entry is a file or a web site.
#include <QDialog>
#include <array>

class QPushButton;
class QRadioButton;

namespace varnel {

class frmFileOrURL : public QDialog {
    Q_OBJECT
public:
    enum Choice { File = 0, WebSite = 1 };  // the option buttons' indices

    explicit frmFileOrURL(QWidget* owner = nullptr);

    Choice Chosen() const;
    QRadioButton* Option(Choice choice) const { return optFileURL_[choice]; }

private:
    std::array<QRadioButton*, 2> optFileURL_{};
    QPushButton* cmdOK_;
};

}  // namespace varnel
