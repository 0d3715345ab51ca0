#pragma once

#include <QApplication>
#include <QElapsedTimer>
#include <QSettings>
#include <QString>

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

// Runs the event loop until the condition holds or the time is up.
inline bool WaitFor(const std::function<bool()>& done, int ms = 10000) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return done();
}

}  // namespace varnel
