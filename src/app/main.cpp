#include <QCoreApplication>

#include "app/CommandLine.h"
#include "app/DataFolder.h"
#include "app/StartWindow.h"
#include "core/common/Files.h"

int main(int argc, char** argv) {
    // Headless commands need no display; a core application gives Qt its paths.
    {
        int status;
        {
            int coreArgc = 1;
            QCoreApplication core(coreArgc, argv);
            QCoreApplication::setOrganizationName("Varnel");
            QCoreApplication::setApplicationName("Varnel");
            status = varnel::cli::RunCommandLine(argc, argv);
            if (status < 0 && !varnel::HasDisplay()) {
                varnel::SetProgramFolder(varnel::ResolveDataFolder({}));
                varnel::PrintThisMonth();
                return 0;
            }
        }
        if (status >= 0) return status;
    }
    return varnel::RunDesktop(argc, argv);
}
