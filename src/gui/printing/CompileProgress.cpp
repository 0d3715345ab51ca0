#include "gui/printing/CompileProgress.h"

#include <QApplication>
#include <QLabel>

namespace varnel {

CompileProgress::CompileProgress(QWidget* owner) : owner_(owner) {}

CompileProgress::~CompileProgress() { Ended(); }

DocumentEvents CompileProgress::Events() {
    DocumentEvents events;
    events.started = [this] { Started(); };
    events.newPage = [this](int page) { NewPage(page); };
    events.ended = [this] { Ended(); };
    return events;
}

void CompileProgress::Show(const QString& text) {
    if (!window_) {
        window_ = new QLabel(owner_, Qt::Tool | Qt::FramelessWindowHint);
        window_->setObjectName(QStringLiteral("lblCompiling"));
        window_->setAttribute(Qt::WA_DeleteOnClose);
        window_->setAttribute(Qt::WA_ShowWithoutActivating);
        window_->setFrameStyle(QFrame::Panel | QFrame::Raised);
        window_->setMargin(12);
        window_->setMinimumWidth(260);
    }
    window_->setText(text);
    window_->adjustSize();
    if (owner_) {
        const QRect area = owner_->frameGeometry();
        window_->move(area.center() - window_->rect().center());
    }
    window_->show();
    window_->repaint();
}

void CompileProgress::Started() {
    if (!wait_) wait_.emplace();
    Show(QStringLiteral("Compiling document... please wait..."));
}

void CompileProgress::NewPage(int page) {
    pages_ = page;
    Show(QStringLiteral("Compiling document... page %1").arg(page));
}

void CompileProgress::Ended() {
    if (window_) window_->close();
    wait_.reset();
}

}  // namespace varnel
