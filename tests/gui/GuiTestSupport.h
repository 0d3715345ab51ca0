#pragma once

#include <QApplication>
#include <QAbstractButton>
#include <QMessageBox>
#include <QMouseEvent>
#include <QWidget>
#include <QSettings>
#include <QString>
#include <QTimer>

#include <ctime>
#include <functional>
#include <memory>

namespace varnel {

// Widget tests share one QApplication for the whole test binary, made on first use.
inline void EnsureApplication() {
    if (QApplication::instance()) return;
    static int argc = 1;
    static char name[] = "gui_tests";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);
}

// Keeps the settings a test writes in its own folder, away from the user's.
inline void UseSettingsFolder(const QString& folder) {
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder);
}

// Sets the system's zone (TZ) for a test and gives back the one it found,
// even when the test stops at a failed assertion.
class ScopedTimeZone {
public:
    explicit ScopedTimeZone(const char* tz = nullptr) : had_(qEnvironmentVariableIsSet("TZ")), old_(qgetenv("TZ")) {
        if (tz) Set(tz);
    }
    ~ScopedTimeZone() {
        if (had_) qputenv("TZ", old_);
        else qunsetenv("TZ");
        tzset();
    }
    ScopedTimeZone(const ScopedTimeZone&) = delete;
    ScopedTimeZone& operator=(const ScopedTimeZone&) = delete;
    static void Set(const char* tz) {
        qputenv("TZ", tz);
        tzset();
    }

private:
    bool had_;
    QByteArray old_;
};

// Deletes the widgets released with deleteLater (a closed dialog, a closed note).
inline void FlushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

// Delivers the pending events, round after round, until the condition holds.
// Nothing here waits on a clock: work that needs a timer's time is started by
// firing the timer.
inline bool Settle(const std::function<bool()>& done, int rounds = 100) {
    for (int i = 0; i < rounds && !done(); ++i) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
    return done();
}

// Runs the window's start-up as its start timer would, without waiting for it.
template <typename Window>
bool StartUp(Window& window) {
    window.StartTimer()->stop();
    QMetaObject::invokeMethod(window.StartTimer(), "timeout");
    return Settle([&] { return window.StartedUp(); });  // the data are read on the loop's next pass
}

// Runs an action on the first modal window of type W that opens within the
// next thousand turns of the event loop (a modal's own loop turns it too).
template <typename W>
void WhenModal(std::function<void(W&)> action) {
    auto* timer = new QTimer;
    auto tries = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, [timer, tries, action] {
        auto* window = qobject_cast<W*>(QApplication::activeModalWidget());
        if (!window && ++*tries < 1000) return;
        timer->stop();
        timer->deleteLater();
        if (window) action(*window);
    });
    timer->start(0);
}

// Answers the next message box with `button` and keeps its title and text.
struct BoxAnswer {
    QString title, text;
    bool seen = false;
};
inline std::shared_ptr<BoxAnswer> AnswerNextBox(QMessageBox::StandardButton button) {
    auto answer = std::make_shared<BoxAnswer>();
    WhenModal<QMessageBox>([answer, button](QMessageBox& box) {
        *answer = {box.windowTitle(), box.text(), true};
        box.button(button)->click();
    });
    return answer;
}

// One mouse event at a point of a widget: a press or a double click holds the
// left button, a move or a release holds `held`.
inline void Mouse(QWidget* widget, QEvent::Type type, QPointF at, Qt::MouseButtons held = Qt::NoButton) {
    const bool down = type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick;
    QMouseEvent event(type, at, widget->mapToGlobal(at), type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                      down ? Qt::MouseButtons(Qt::LeftButton) : held, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &event);
}

// A left click at a point, or a double click.
inline void Click(QWidget* widget, QPointF at, bool twice = false) {
    Mouse(widget, QEvent::MouseButtonPress, at);
    Mouse(widget, QEvent::MouseButtonRelease, at);
    if (!twice) return;
    Mouse(widget, QEvent::MouseButtonDblClick, at);
    Mouse(widget, QEvent::MouseButtonRelease, at);
}

}  // namespace varnel
