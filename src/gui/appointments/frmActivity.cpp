#include "gui/appointments/frmActivity.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace varnel {

frmActivity::frmActivity(QWidget* owner)
    : QDialog(owner), lblProgress_(new QLabel(this)), lblAction_(new QLabel(this)),
      cmdCancel_(new QPushButton(tr("Cancel"), this)) {
    setObjectName(QStringLiteral("frmActivity"));
    setWindowTitle(tr("Export to calendar"));
    setWindowModality(Qt::ApplicationModal);
    lblProgress_->setObjectName(QStringLiteral("lblProgress"));
    lblAction_->setObjectName(QStringLiteral("lblAction"));
    cmdCancel_->setObjectName(QStringLiteral("cmdCancel"));
    lblProgress_->setMinimumWidth(380);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblProgress_);
    layout->addWidget(lblAction_);
    layout->addWidget(cmdCancel_, 0, Qt::AlignRight);
    connect(cmdCancel_, &QPushButton::clicked, this, &frmActivity::Cancel);
}

void frmActivity::Cancel() {
    cancelled_ = true;
    cmdCancel_->setEnabled(false);
}

void frmActivity::closeEvent(QCloseEvent* event) {
    Cancel();
    event->accept();
}

void frmActivity::reject() {
    Cancel();
    QDialog::reject();
}

void frmActivity::Refresh() {
    repaint();
    QApplication::processEvents(QEventLoop::AllEvents, 5);
}

void frmActivity::SetAction(const std::string& text) {
    lblProgress_->setText(QString::fromStdString(text));
    Refresh();
}

void frmActivity::SetDetail(const std::string& text) {
    lblAction_->setText(QString::fromStdString(text));
    lblAction_->setVisible(true);
    Refresh();
}

bool frmActivity::Cancelled() {
    QApplication::processEvents(QEventLoop::AllEvents, 5);
    return cancelled_;
}

}  // namespace varnel
