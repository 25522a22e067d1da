#include "CjkFonts.h"
#include "ModulePaneSource.h"
#include "RunTimeError.h"
#include "ToolkitWindows.h"
#include "WindowRegistry.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    // The toolbox reads no command line: Qt sees only the program's name.
    int qtArgc = argc > 0 ? 1 : 0;
    // The browser pane's engine, loaded later as a module, needs a GL context
    // shared with the windows from the start: without one it crashes.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(qtArgc, argv);
    QApplication::setApplicationName(QStringLiteral("苦力怕工具箱"));
    // The registry, not the window count, decides when the toolbox ends:
    // message boxes and the like must not end it.
    QApplication::setQuitOnLastWindowClosed(false);
    InstallCjkFontFallbacks();

    // The web engine is loaded only when a window with a browser pane opens.
    ModulePaneSource panes;
    WindowRegistry registry;
    RegisterToolkitWindows(registry, panes);

    bool started = false;
    RunHandler([&] {
        registry.Start();
        started = true;
    });
    return started ? app.exec() : 1;
}
