#pragma once
// The export's progress window: the action text, the detail text and a
// "Cancel" button. It shows what a CalendarExportRun says through its
// Progress signal and asks it to stop through CancelRequested; the export
// runs in the application's own event loop, so the window stays live. It is
// application modal, so the main window cannot start a second export or
// close meanwhile.
#include <QDialog>

class QLabel;
class QPushButton;

namespace varnel {

class ActivityDialog : public QDialog {
    Q_OBJECT
public:
    explicit ActivityDialog(QWidget* owner);

    QLabel* ActionLabel() const { return progressLabel_; }
    QLabel* DetailLabel() const { return actionLabel_; }
    QPushButton* CancelButton() const { return cancelButton_; }

public slots:
    void ShowProgress(const QString& action, const QString& detail);

signals:
    void CancelRequested();

protected:
    // Closing the window or pressing Escape cancels, like the button.
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void Cancel();

    QLabel* progressLabel_;
    QLabel* actionLabel_;
    QPushButton* cancelButton_;
};

}  // namespace varnel
