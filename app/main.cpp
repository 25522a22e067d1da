#include "CjkFonts.h"
#include "RunTimeError.h"
#include "ToolkitWindows.h"
#include "WindowRegistry.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    // The toolbox reads no command line: Qt sees only the program's name.
    int qtArgc = argc > 0 ? 1 : 0;
    QApplication app(qtArgc, argv);
    QApplication::setApplicationName(QStringLiteral("苦力怕工具箱"));
    // The registry, not the window count, decides when the toolbox ends:
    // message boxes and the like must not end it.
    QApplication::setQuitOnLastWindowClosed(false);
    InstallCjkFontFallbacks();

    WindowRegistry registry;
    RegisterToolkitWindows(registry);

    bool started = false;
    RunHandler([&] {
        registry.Start();
        started = true;
    });
    return started ? app.exec() : 1;
}
