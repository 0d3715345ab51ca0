#pragma once
// The line above the views that says, when the window opens, which personal
// dates fall today and in the coming week (and which entries of dates.dat are
// skipped); the user dismisses it with its button or Escape.
#include <QFrame>

class QLabel;
class QToolButton;

namespace varnel {

class PersonalReminderBar : public QFrame {
    Q_OBJECT
public:
    explicit PersonalReminderBar(QWidget* parent = nullptr);
    // Shows the text, or hides the bar when it is empty.
    void Remind(const QString& text);
    QLabel* Text() const { return text_; }
    QToolButton* DismissButton() const { return dismiss_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QLabel* text_;
    QToolButton* dismiss_;
};

}  // namespace varnel
