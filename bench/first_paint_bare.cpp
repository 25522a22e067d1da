// The baseline: a bare Qt Widgets window of the main menu's size, started
// and painted the same way.
#include "FirstPaint.h"

int main(int argc, char* argv[]) {
    int qtArgc = argc > 0 ? 1 : 0;
    QApplication app(qtArgc, argv);
    ExitOnFirstPaint::Install(app);
    QWidget window;
    window.setWindowFlag(Qt::FramelessWindowHint);
    window.resize(769, 512);
    window.show();
    return app.exec();
}
