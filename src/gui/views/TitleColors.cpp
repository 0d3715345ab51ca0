#include "gui/views/TitleColors.h"

#include <QColor>
#include <QLabel>

namespace varnel {

void SetTitleColors(QLabel* title, Color background) {
    const QString style = QStringLiteral("QLabel#%1 { background-color: %2; color: white; }")
                              .arg(title->objectName(),
                                   QColor(RedOf(background), GreenOf(background), BlueOf(background)).name());
    if (title->styleSheet() != style) title->setStyleSheet(style);
}

}  // namespace varnel
