#include "Startup.h"

#include "CjkFonts.h"

#include <QApplication>
#include <QSettings>

namespace {

// Qt's own dialogs keep what they last showed (the save dialog its folder and
// history) in the user's settings folder, shared by every Qt program. The
// toolbox keeps no settings: its user scope is a folder that cannot exist, so
// nothing is read from there and saving fails without a word.
void KeepQtSettingsOffDisk() {
    const QString nowhere = QStringLiteral("/dev/null");
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, nowhere);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, nowhere);
}

} // namespace

void ConfigureToolkitApplication() {
    QApplication::setApplicationName(QStringLiteral("苦力怕工具箱"));
    // The installed desktop entry's name: Wayland's app id, for its icon and launcher.
    QApplication::setDesktopFileName(QStringLiteral(CT_APP_ID));
    // The registry, not the window count, decides when the toolbox ends:
    // message boxes and the like must not end it.
    QApplication::setQuitOnLastWindowClosed(false);
    InstallCjkFontFallbacks();
    KeepQtSettingsOffDisk();
}
