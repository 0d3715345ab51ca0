#include "gui/resources/frmFileOrURL.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace varnel {

frmFileOrURL::frmFileOrURL(QWidget* owner) : QDialog(owner), cmdOK_(new QPushButton(QStringLiteral("OK"), this)) {
    setObjectName(QStringLiteral("frmFileOrURL"));
    setWindowTitle(QStringLiteral("File or Web Site?"));
    auto* label = new QLabel(QStringLiteral("Do you want to add a file to your Additional Resources menu, or a link to "
                                            "an existing Web site or page?"),
                             this);
    label->setObjectName(QStringLiteral("Label1"));
    label->setWordWrap(true);
    optFileURL_[WebSite] = new QRadioButton(QStringLiteral("Add a reference to an existing Web site"), this);
    optFileURL_[File] = new QRadioButton(QStringLiteral("Add a reference to an existing file"), this);
    optFileURL_[WebSite]->setObjectName(QStringLiteral("optFileURL1"));
    optFileURL_[File]->setObjectName(QStringLiteral("optFileURL0"));
    optFileURL_[File]->setChecked(true);
    cmdOK_->setObjectName(QStringLiteral("cmdOK"));
    cmdOK_->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(optFileURL_[WebSite]);
    layout->addWidget(optFileURL_[File]);
    layout->addLayout(buttons);
    connect(cmdOK_, &QPushButton::clicked, this, &QDialog::accept);
}

frmFileOrURL::Choice frmFileOrURL::Chosen() const { return optFileURL_[WebSite]->isChecked() ? WebSite : File; }

}  // namespace varnel
