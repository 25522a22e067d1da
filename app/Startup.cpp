#include "Startup.h"

#include "CjkFonts.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace {

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
    // The registry, not the window count, decides when the toolbox ends:
    // message boxes and the like must not end it.
    QApplication::setQuitOnLastWindowClosed(false);
    InstallCjkFontFallbacks();
    InstallQtTranslations(DialogLocale(QLocale::system()));
}
