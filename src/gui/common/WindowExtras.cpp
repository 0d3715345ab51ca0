#include "gui/common/WindowExtras.h"

#include <dlfcn.h>
#include <unistd.h>

#include <QMessageBox>
#include <climits>

// The table, when it is linked into the program itself (the tests): the
// window then uses it without the module.
extern "C" const varnel::WindowExtras* varnel_window_extras() __attribute__((weak));

namespace varnel {
namespace {

// The module beside the running program: varnel-gui and varnel-extras.so
// share their folder, built and installed.
std::string ModulePath() {
    char self[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
    if (length <= 0) return "varnel-extras.so";
    const std::string program(self, static_cast<size_t>(length));
    return program.substr(0, program.rfind('/') + 1) + "varnel-extras.so";
}

}  // namespace

void* ExtrasEntry(const char* name, std::string& why) {
    static std::string opened;
    static void* module = [] {
        const std::string path = ModulePath();
        void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!handle) opened = dlerror();
        return handle;
    }();
    if (!module) {
        why = opened;
        return nullptr;
    }
    void* entry = dlsym(module, name);
    if (!entry) why = std::string("no ") + name + " in the module";
    return entry;
}

const WindowExtras* WindowExtrasFor(QWidget* owner) {
    if (varnel_window_extras) return varnel_window_extras();
    std::string why;
    const auto entry = reinterpret_cast<const WindowExtras* (*)()>(ExtrasEntry("varnel_window_extras", why));
    if (entry) return entry();
    QMessageBox::warning(owner, QStringLiteral("Varnel"),
                         QStringLiteral("Printing and the exports are not available: %1").arg(QString::fromStdString(why)));
    return nullptr;
}

}  // namespace varnel
