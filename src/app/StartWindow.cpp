#include "app/StartWindow.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <chrono>
#include <cstdlib>
#include <iostream>

#include "app/AppIcon.h"
#include "gui/common/DeferredIconStyle.h"
#include "gui/views/DataFileMessage.h"
#include "gui/views/GridWidget.h"
#include "gui/views/MainWindow.h"
#include "gui/views/MonthPanel.h"

namespace varnel {
namespace {

// Tools for the developer, switched on by the environment: VARNEL_REPORT_STARTUP
// writes the wall-clock time at which the month grid first painted its days
// (milliseconds since the epoch) to standard error, VARNEL_SCREENSHOT=FILE saves
// a picture of the window then; either way the program quits.
class StartUpReporter : public QObject {
public:
    StartUpReporter(MainWindow& window, QString screenshot) : window_(window), screenshot_(std::move(screenshot)) {
        window.Month()->Grid()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && window_.StartedUp() && !reported_) {
            reported_ = true;
            // Report once this paint has finished.
            QTimer::singleShot(0, this, [this] {
                const auto now = std::chrono::system_clock::now().time_since_epoch();
                const long long us = std::chrono::duration_cast<std::chrono::microseconds>(now).count();
                std::cerr << "month painted at " << us / 1000 << "." << (us % 1000) / 100 << " ms\n";
                if (!screenshot_.isEmpty() && !window_.grab().save(screenshot_))
                    std::cerr << "could not save " << screenshot_.toStdString() << "\n";
                QCoreApplication::quit();
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    MainWindow& window_;
    QString screenshot_;
    bool reported_ = false;
};

}  // namespace

int RunDesktop(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setStyle(new DeferredIconStyle);
    QCoreApplication::setOrganizationName("Varnel");
    QCoreApplication::setApplicationName("Varnel");
    QApplication::setWindowIcon(ApplicationIcon());
    QGuiApplication::setDesktopFileName(QStringLiteral("varnel"));

    MainWindow window;
    // The data files are read once, while the start timer waits; their
    // problems are said once, over the window.
    QObject::connect(&window, &MainWindow::DataFilesRead, &window,
                     [&window](const DataFileReport& report) { ShowDataFileReport(&window, report); });
    window.show();
    std::unique_ptr<StartUpReporter> reporter;
    const char* report = std::getenv("VARNEL_REPORT_STARTUP");
    const QString screenshot = qEnvironmentVariable("VARNEL_SCREENSHOT");
    if ((report && *report) || !screenshot.isEmpty()) reporter = std::make_unique<StartUpReporter>(window, screenshot);
    return app.exec();
}

}  // namespace varnel
