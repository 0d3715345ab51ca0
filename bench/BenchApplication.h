#pragma once

#include <QApplication>

namespace varnel {

// The widget benchmarks share one QApplication, offscreen unless a platform is set.
inline void EnsureApplication() {
    if (QApplication::instance()) return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "varnel_bench";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);
}

}  // namespace varnel
