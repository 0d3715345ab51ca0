#include "gui/resources/FileOrUrlDialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace varnel {

FileOrUrlDialog::FileOrUrlDialog(QWidget* owner) : QDialog(owner), okButton_(new QPushButton(QStringLiteral("OK"), this)) {
    setObjectName(QStringLiteral("frmFileOrURL"));
    setWindowTitle(QStringLiteral("File or Web Site?"));
    auto* label = new QLabel(QStringLiteral("Do you want to add a file to your Additional Resources menu, or a link to "
                                            "an existing Web site or page?"),
                             this);
    label->setObjectName(QStringLiteral("Label1"));
    label->setWordWrap(true);
    fileOrUrlRadios_[WebSite] = new QRadioButton(QStringLiteral("Add a reference to an existing Web site"), this);
    fileOrUrlRadios_[File] = new QRadioButton(QStringLiteral("Add a reference to an existing file"), this);
    fileOrUrlRadios_[WebSite]->setObjectName(QStringLiteral("optFileURL1"));
    fileOrUrlRadios_[File]->setObjectName(QStringLiteral("optFileURL0"));
    fileOrUrlRadios_[File]->setChecked(true);
    okButton_->setObjectName(QStringLiteral("cmdOK"));
    okButton_->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(fileOrUrlRadios_[WebSite]);
    layout->addWidget(fileOrUrlRadios_[File]);
    layout->addLayout(buttons);
    connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);
}

FileOrUrlDialog::Choice FileOrUrlDialog::Chosen() const { return fileOrUrlRadios_[WebSite]->isChecked() ? WebSite : File; }

}  // namespace varnel
