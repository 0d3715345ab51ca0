// varnel-gui: the desktop program, started by varnel for the window, printing
// and the exports, with the arguments varnel was given.
#include <QCoreApplication>
#include <QGuiApplication>
#include <cstdio>
#include <cstring>
#include <memory>

#include "app/StartWindow.h"
#include "app/WindowCommands.h"
#include "cli/CommandLine.h"
#include "cli/CommandParser.h"
#include "cli/ThisMonth.h"

int main(int argc, char** argv) {
    // Headless commands need no display; a core application gives Qt its paths.
    {
        int status;
        {
            int coreArgc = 1;
            // Printouts measure their texts in the fonts, which takes a GUI
            // application; the offscreen platform needs no display.
            bool printing = false;
            for (int i = 1; i < argc; ++i) printing = printing || std::strcmp(argv[i], "print") == 0;
            if (printing) {
                qputenv("QT_QPA_PLATFORM", "offscreen");
                // Without a desktop session Qt warns of a missing runtime
                // folder it does not need here; errors stay one line.
                qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
                    if (type != QtDebugMsg && !text.startsWith(QLatin1String("QStandardPaths:")))
                        std::fprintf(stderr, "%s\n", qPrintable(text));
                });
            }
            std::unique_ptr<QCoreApplication> core = printing ? std::make_unique<QGuiApplication>(coreArgc, argv)
                                                              : std::make_unique<QCoreApplication>(coreArgc, argv);
            QCoreApplication::setOrganizationName("Varnel");
            QCoreApplication::setApplicationName("Varnel");
            status = varnel::cli::RunCommandLine(argc, argv, varnel::cli::RunWindowCommand);
            if (status < 0 && !varnel::HasDisplay()) {
                varnel::PrintThisMonth();
                return 0;
            }
        }
        if (status >= 0) return status;
    }
    return varnel::RunDesktop(argc, argv);
}
