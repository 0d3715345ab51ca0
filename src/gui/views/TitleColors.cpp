#include "gui/views/TitleColors.h"

#include <QColor>
#include <QLabel>

#include "gui/views/GridPainter.h"

namespace varnel {

void SetTitleColors(QLabel* title, Color background) {
    const QString style = QStringLiteral("QLabel#%1 { background-color: %2; color: white; }")
                              .arg(title->objectName(),
                                   ToQColor(background, Qt::black, title->palette()).name());
    if (title->styleSheet() != style) title->setStyleSheet(style);
}

}  // namespace varnel
