#pragma once
// The small window that says how far a document's layout has come:
// "Compiling document... please wait..." at the start, "Compiling
// document... page N" as each page begins, closed at the end. Each step
// repaints the window directly: no pending events run, so nothing can
// re-enter the layout while it works.
#include <QPointer>
#include <optional>

#include "gui/common/WaitCursor.h"
#include "gui/printing/DocumentLayout.h"

class QLabel;
class QWidget;

namespace varnel {

class CompileProgress {
public:
    explicit CompileProgress(QWidget* owner);
    ~CompileProgress();
    CompileProgress(const CompileProgress&) = delete;
    CompileProgress& operator=(const CompileProgress&) = delete;

    // Events to hand to the layout.
    DocumentEvents Events();
    int Pages() const { return pages_; }

private:
    void Started();
    void NewPage(int page);
    void Ended();
    void Show(const QString& text);

    QPointer<QWidget> owner_;
    QPointer<QLabel> window_;
    int pages_ = 0;
    std::optional<WaitCursor> wait_;
};

}  // namespace varnel
