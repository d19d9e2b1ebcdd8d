#include "app/AppIcon.h"

QIcon ApplicationIcon() {
    QIcon icon;
    icon.addFile(QStringLiteral(":/corvalen/icon-32.png"), QSize(32, 32));
    icon.addFile(QStringLiteral(":/corvalen/icon-16.png"), QSize(16, 16));
    return icon;
}
