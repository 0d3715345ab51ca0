#include "gui/appointments/ActivityDialog.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace varnel {

ActivityDialog::ActivityDialog(QWidget* owner)
    : QDialog(owner), progressLabel_(new QLabel(this)), actionLabel_(new QLabel(this)),
      cancelButton_(new QPushButton(tr("Cancel"), this)) {
    setObjectName(QStringLiteral("frmActivity"));
    setWindowTitle(tr("Export to calendar"));
    setWindowModality(Qt::ApplicationModal);
    progressLabel_->setObjectName(QStringLiteral("lblProgress"));
    actionLabel_->setObjectName(QStringLiteral("lblAction"));
    cancelButton_->setObjectName(QStringLiteral("cmdCancel"));
    progressLabel_->setMinimumWidth(380);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(progressLabel_);
    layout->addWidget(actionLabel_);
    layout->addWidget(cancelButton_, 0, Qt::AlignRight);
    connect(cancelButton_, &QPushButton::clicked, this, &ActivityDialog::Cancel);
}

void ActivityDialog::Cancel() {
    if (!cancelButton_->isEnabled()) return;
    cancelButton_->setEnabled(false);
    emit CancelRequested();
}

void ActivityDialog::closeEvent(QCloseEvent* event) {
    Cancel();
    event->accept();
}

void ActivityDialog::reject() {
    Cancel();
    QDialog::reject();
}

void ActivityDialog::ShowProgress(const QString& action, const QString& detail) {
    progressLabel_->setText(action);
    actionLabel_->setText(detail);
}

}  // namespace varnel
