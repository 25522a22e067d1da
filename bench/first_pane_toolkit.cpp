// Click to the first pane window in the toolbox, assembled as the program
// assembles it: the pointer moves onto a tile of the main menu, rests, and
// clicks; the figure is the time from the click to the pane window's first
// paint.
//
//   first_pane_toolkit [rest-ms] [download|skin]     (default 0, download)
#include "FirstPane.h"
#include "ModulePaneSource.h"
#include "Startup.h"
#include "ToolkitWindows.h"
#include "WindowInput.h"
#include "WindowRegistry.h"

#include <QApplication>

#include <cstdio>
#include <cstring>

int main(int argc, char* argv[]) {
    const int rest = argc > 1 ? FirstPaneClock::RestFromArgument(argv[1]) : 0;
    const char* tool = argc > 2 ? argv[2] : "download";
    const bool skin = std::strcmp(tool, "skin") == 0;
    if (rest < 0 || (!skin && std::strcmp(tool, "download") != 0)) {
        std::fprintf(stderr, "usage: %s [rest-ms] [download|skin]\n", argv[0]);
        return 2;
    }
    int qtArgc = argc > 0 ? 1 : 0;
    QApplication app(qtArgc, argv);
    ConfigureToolkitApplication();

    ModulePaneSource panes;
    WindowRegistry registry;
    RegisterToolkitWindows(registry, panes);

    const WindowName target = skin ? WindowName::skin : WindowName::download;
    FirstPaneClock::Run run;
    run.restMs = rest;
    run.findTile = [&registry, skin] {
        return WindowInput::Named(registry.Instance(WindowName::Form1),
                                  skin ? QStringLiteral("Image1") : QStringLiteral("Picture2"));
    };
    run.isPaneWindow = [&registry, target](const QWidget& window) {
        const FramedWindow* opened = registry.Instance(target);
        return opened != nullptr && opened->Surface() == &window;
    };
    new FirstPaneClock(app, run);

    registry.Start();
    return app.exec();
}
