#include "CjkFonts.h"

#include <QFont>
#include <QStringList>

void InstallCjkFontFallbacks() {
    // Sans (hei) faces stand in for SimHei and Microsoft YaHei, serif (song)
    // faces for SimSun; the sans faces close each list as a last resort.
    const QStringList hei = {
        QStringLiteral("SimHei"),
        QStringLiteral("WenQuanYi Zen Hei"),
        QStringLiteral("Noto Sans CJK SC"),
        QStringLiteral("Source Han Sans SC"),
        QStringLiteral("Droid Sans Fallback"),
    };
    const QStringList yahei =
        QStringList{QStringLiteral("Microsoft YaHei"), QStringLiteral("WenQuanYi Micro Hei")} + hei;
    const QStringList song =
        QStringList{QStringLiteral("SimSun"), QStringLiteral("NSimSun"),
                    QStringLiteral("Noto Serif CJK SC"), QStringLiteral("AR PL UMing CN")} +
        hei;

    QFont::insertSubstitutions(QStringLiteral("黑体"), hei);
    QFont::insertSubstitutions(QStringLiteral("微软雅黑"), yahei);
    QFont::insertSubstitutions(QStringLiteral("宋体"), song);
}
