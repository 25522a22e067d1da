#include "ModulePaneSource.h"
#include "RunTimeError.h"
#include "Startup.h"
#include "ToolkitWindows.h"
#include "WindowRegistry.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    // The toolbox reads no command line: Qt sees only the program's name.
    int qtArgc = argc > 0 ? 1 : 0;
    QApplication app(qtArgc, argv);
    ConfigureToolkitApplication();

    // The web engine is not loaded at start-up: only when a window with a
    // browser pane opens, or when the pointer rests on the tile of one.
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
