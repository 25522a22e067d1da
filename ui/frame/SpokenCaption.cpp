#include "SpokenCaption.h"

QString SpokenCaption(const QString& caption) {
    if (caption == QStringLiteral("←")) {
        return QStringLiteral("返回");
    }
    if (caption == QStringLiteral("╳")) {
        return QStringLiteral("关闭");
    }
    if (caption == QStringLiteral("＿")) {
        return QStringLiteral("最小化");
    }
    return caption;
}
