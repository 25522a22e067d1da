#include "Startup.h"

#include "CjkFonts.h"

#include <QApplication>

void ConfigureToolkitApplication() {
    QApplication::setApplicationName(QStringLiteral("苦力怕工具箱"));
    // The installed desktop entry's name: Wayland's app id, for its icon and launcher.
    QApplication::setDesktopFileName(QStringLiteral(CT_APP_ID));
    // The registry, not the window count, decides when the toolbox ends:
    // message boxes and the like must not end it.
    QApplication::setQuitOnLastWindowClosed(false);
    InstallCjkFontFallbacks();
}
