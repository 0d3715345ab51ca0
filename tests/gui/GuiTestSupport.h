#pragma once

#include <QApplication>
#include <QSettings>
#include <QString>
#include <QTimer>

#include <ctime>
#include <functional>

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

}  // namespace varnel
