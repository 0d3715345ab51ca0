#pragma once
// The one window of a kind (the feast resources, the personal dates): made on
// first use over the middle of its owner's window, deleted when closed,
// brought to the front when asked for again.
#include <QPointer>
#include <QWidget>

#include "gui/common/WindowPlacement.h"

namespace varnel {

template <typename W, typename Make>
W* ShowOneWindow(QPointer<W>& window, Make make) {
    if (!window) {
        window = make();
        window->setAttribute(Qt::WA_DeleteOnClose);
        PlaceOverOwner(*window);
    }
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

}  // namespace varnel
