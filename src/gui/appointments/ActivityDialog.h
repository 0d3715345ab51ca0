#pragma once
// The export's progress window: the action text, the detail text and a
// "Cancel" button that stops the export between two items. Each change of
// text repaints at once and lets pending events run, so the window stays live
// while the export works on the user-interface thread. It is application
// modal, so the main window cannot start a second export or close meanwhile.
#include <QDialog>

#include "core/appointments/ExportToCalendar.h"

class QLabel;
class QPushButton;

namespace varnel {

class ActivityDialog : public QDialog, public ExportProgress {
    Q_OBJECT
public:
    explicit ActivityDialog(QWidget* owner);

    void SetAction(const std::string& text) override;
    void SetDetail(const std::string& text) override;
    bool Cancelled() override;

    QLabel* ActionLabel() const { return progressLabel_; }
    QLabel* DetailLabel() const { return actionLabel_; }
    QPushButton* CancelButton() const { return cancelButton_; }

protected:
    // Closing the window or pressing Escape cancels, like the button.
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void Cancel();
    void Refresh();

    QLabel* progressLabel_;
    QLabel* actionLabel_;
    QPushButton* cancelButton_;
    bool cancelled_ = false;
};

}  // namespace varnel
