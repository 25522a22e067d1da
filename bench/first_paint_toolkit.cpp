// The toolbox's own start-up, as the program does it, up to the main menu's
// first paint.
#include "FirstPaint.h"
#include "ModulePaneSource.h"
#include "Startup.h"
#include "ToolkitWindows.h"
#include "WindowRegistry.h"

int main(int argc, char* argv[]) {
    int qtArgc = argc > 0 ? 1 : 0;
    QApplication app(qtArgc, argv);
    ConfigureToolkitApplication();
    ExitOnFirstPaint::Install(app);

    ModulePaneSource panes;
    WindowRegistry registry;
    RegisterToolkitWindows(registry, panes);
    registry.Start();
    return app.exec();
}
