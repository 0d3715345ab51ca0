#include "gui/common/WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace varnel {

void PlaceOverOwner(QWidget& window) {
    const QWidget* owner = window.parentWidget() ? window.parentWidget()->window() : nullptr;
    const QScreen* screen = owner && owner->screen() ? owner->screen() : QGuiApplication::primaryScreen();
    // A window not yet shown has no frame yet: it will get one like its owner's.
    QMargins margins;
    if (owner) {
        const QRect outer = owner->frameGeometry(), inner = owner->geometry();
        margins = QMargins(inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
                           outer.bottom() - inner.bottom());
    }
    QRect frame(QPoint(0, 0), window.size().grownBy(margins));
    if (owner) frame.moveCenter(owner->frameGeometry().center());
    if (screen) {
        const QRect area = screen->availableGeometry();
        if (!owner) frame.moveCenter(area.center());
        frame.setSize(frame.size().boundedTo(area.size()));
        frame.moveLeft(std::clamp(frame.left(), area.left(), area.right() + 1 - frame.width()));
        frame.moveTop(std::clamp(frame.top(), area.top(), area.bottom() + 1 - frame.height()));
    }
    window.resize(frame.size().shrunkBy(margins));
    window.move(frame.topLeft());  // a window's position is its frame's
}

}  // namespace varnel
