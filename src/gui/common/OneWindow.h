#pragma once
// The one window of a kind (the feast resources, the personal dates): made on
// first use, deleted when closed, brought to the front when asked for again.
#include <QPointer>
#include <QWidget>

namespace varnel {

template <typename W, typename Make>
W* ShowOneWindow(QPointer<W>& window, Make make) {
    if (!window) {
        window = make();
        window->setAttribute(Qt::WA_DeleteOnClose);
    }
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

}  // namespace varnel
