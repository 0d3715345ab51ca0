#include "gui/personal/PersonalReminderBar.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QToolButton>

namespace varnel {

PersonalReminderBar::PersonalReminderBar(QWidget* parent)
    : QFrame(parent), text_(new QLabel(this)), dismiss_(new QToolButton(this)) {
    setObjectName(QStringLiteral("picPersonalReminder"));
    text_->setObjectName(QStringLiteral("lblPersonalReminder"));
    text_->setWordWrap(true);
    text_->setTextFormat(Qt::PlainText);
    dismiss_->setObjectName(QStringLiteral("cmdDismissReminder"));
    dismiss_->setText(QStringLiteral("Dismiss"));
    dismiss_->setAccessibleName(QStringLiteral("Dismiss the personal dates reminder"));
    setFrameShape(QFrame::StyledPanel);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 2, 6, 2);
    layout->addWidget(text_, 1);
    layout->addWidget(dismiss_);
    connect(dismiss_, &QToolButton::clicked, this, &QWidget::hide);
    hide();
}

void PersonalReminderBar::Remind(const QString& text) {
    text_->setText(text);
    setVisible(!text.isEmpty());
}

void PersonalReminderBar::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) hide();
    else QFrame::keyPressEvent(event);
}

}  // namespace varnel
