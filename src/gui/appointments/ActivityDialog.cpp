#include "gui/appointments/ActivityDialog.h"

#include <QApplication>
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
    cancelled_ = true;
    cancelButton_->setEnabled(false);
}

void ActivityDialog::closeEvent(QCloseEvent* event) {
    Cancel();
    event->accept();
}

void ActivityDialog::reject() {
    Cancel();
    QDialog::reject();
}

void ActivityDialog::Refresh() {
    repaint();
    QApplication::processEvents(QEventLoop::AllEvents, 5);
}

void ActivityDialog::SetAction(const std::string& text) {
    progressLabel_->setText(QString::fromStdString(text));
    Refresh();
}

void ActivityDialog::SetDetail(const std::string& text) {
    actionLabel_->setText(QString::fromStdString(text));
    actionLabel_->setVisible(true);
    Refresh();
}

bool ActivityDialog::Cancelled() {
    QApplication::processEvents(QEventLoop::AllEvents, 5);
    return cancelled_;
}

}  // namespace varnel
