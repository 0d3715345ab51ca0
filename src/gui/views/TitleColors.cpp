#include "gui/views/TitleColors.h"

#include <QColor>
#include <QLabel>
#include <QPalette>

#include "gui/views/GridPainter.h"

namespace varnel {

void SetTitleColors(QLabel* title, Color background) {
    QPalette palette = title->palette();
    const QColor fill = ToQColor(background, Qt::black, palette);
    if (title->autoFillBackground() && palette.color(QPalette::Window) == fill &&
        palette.color(QPalette::WindowText) == Qt::white)
        return;
    palette.setColor(QPalette::Window, fill);
    palette.setColor(QPalette::WindowText, Qt::white);
    title->setPalette(palette);
    title->setAutoFillBackground(true);
}

}  // namespace varnel
