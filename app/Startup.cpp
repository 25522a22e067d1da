#include "Startup.h"

#include "CjkFonts.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QSettings>
#include <QTranslator>

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

const QLocale kSimplifiedChinese(QLocale::Chinese, QLocale::SimplifiedHanScript, QLocale::China);

// "qt" brings the message boxes and file dialogs (with its dependencies),
// "qtwebengine" the browser pane's context menu and download prompts.
bool InstallCatalogue(const QString& catalogue, const QLocale& locale) {
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(locale, catalogue, QStringLiteral("_"), folder) ||
        translator->load(kSimplifiedChinese, catalogue, QStringLiteral("_"), folder)) {
        QCoreApplication::installTranslator(translator);
        return true;
    }
    delete translator;
    return false;
}

} // namespace

QLocale DialogLocale(const QLocale& system) {
    return system.language() == QLocale::Chinese ? system : kSimplifiedChinese;
}

int InstallQtTranslations(const QLocale& locale) {
    int installed = 0;
    for (const QString& catalogue : {QStringLiteral("qt"), QStringLiteral("qtwebengine")}) {
        installed += InstallCatalogue(catalogue, locale) ? 1 : 0;
    }
    return installed;
}

void ConfigureToolkitApplication() {
    QApplication::setApplicationName(QStringLiteral("苦力怕工具箱"));
    // The installed desktop entry's name: Wayland's app id, for its icon and launcher.
    QApplication::setDesktopFileName(QStringLiteral(CT_APP_ID));
    // The registry, not the window count, decides when the toolbox ends:
    // message boxes and the like must not end it.
    QApplication::setQuitOnLastWindowClosed(false);
    InstallCjkFontFallbacks();
    KeepQtSettingsOffDisk();
    InstallQtTranslations(DialogLocale(QLocale::system()));
}
