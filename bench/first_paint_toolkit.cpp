// The toolbox's own start-up, up to the main menu's first paint.
#include "CjkFonts.h"
#include "FirstPaint.h"
#include "ModulePaneSource.h"
#include "ToolkitWindows.h"
#include "WindowRegistry.h"

int main(int argc, char* argv[]) {
    int qtArgc = argc > 0 ? 1 : 0;
    QApplication app(qtArgc, argv);
    QApplication::setApplicationName(QStringLiteral("苦力怕工具箱"));
    QApplication::setQuitOnLastWindowClosed(false);
    InstallCjkFontFallbacks();
    ExitOnFirstPaint::Install(app);

    ModulePaneSource panes;
    WindowRegistry registry;
    RegisterToolkitWindows(registry, panes);
    registry.Start();
    return app.exec();
}
