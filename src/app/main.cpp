// varnel-gui: the desktop program, started by varnel for the window, printing
// and the exports, with the arguments varnel was given.
#include <QCoreApplication>
#include <QGuiApplication>
#include <cstdio>
#include <memory>

#include "app/StartWindow.h"
#include "cli/CommandLine.h"
#include "cli/CommandParser.h"
#include "cli/ThisMonth.h"
#include "gui/common/WindowExtras.h"

namespace {

// Printing, the exports and CalDAV run headless: a core application gives Qt
// its paths. Printouts measure their texts in the fonts, which takes a GUI
// application; the offscreen platform needs no display.
int RunHeadless(std::string_view name, const varnel::cli::Context& context, char* program) {
    int coreArgc = 1;
    char* coreArgv[] = {program, nullptr};
    const bool printing = name == "print" || name.starts_with("print ");
    if (printing) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        // Without a desktop session Qt warns of a missing runtime
        // folder it does not need here; errors stay one line.
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
            if (type != QtDebugMsg && !text.startsWith(QLatin1String("QStandardPaths:")))
                std::fprintf(stderr, "%s\n", qPrintable(text));
        });
    }
    const std::unique_ptr<QCoreApplication> core = printing ? std::make_unique<QGuiApplication>(coreArgc, coreArgv)
                                                            : std::make_unique<QCoreApplication>(coreArgc, coreArgv);
    QCoreApplication::setOrganizationName("Varnel");
    QCoreApplication::setApplicationName("Varnel");
    // Printing and the exports live in the varnel-extras module.
    using RunCommand = int (*)(std::string_view, const varnel::cli::Context&);
    std::string why;
    const auto run = reinterpret_cast<RunCommand>(varnel::ExtrasEntry("varnel_run_window_command", why));
    if (!run) throw varnel::cli::DataError("printing and the exports are not available: " + why);
    return run(name, context);
}

}  // namespace

int main(int argc, char** argv) {
    // The command line is read without Qt; the window starts without a
    // headless application made and dropped before it.
    const int status = varnel::cli::RunCommandLine(argc, argv, [argv](std::string_view name, const varnel::cli::Context& context) {
        return RunHeadless(name, context, argv[0]);
    });
    if (status >= 0) return status;
    if (!varnel::HasDisplay()) {
        varnel::PrintThisMonth();
        return 0;
    }
    return varnel::RunDesktop(argc, argv);
}
