#include "app/AppIcon.h"

namespace varnel {

QIcon ApplicationIcon() {
    QIcon icon;
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/%1x%1/apps/varnel.png").arg(size), QSize(size, size));
    return icon;
}

}  // namespace varnel
