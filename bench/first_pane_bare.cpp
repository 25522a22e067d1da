// The baseline of click to the first pane window: a bare Qt program with the
// web engine set up at start (its GL context shared, an off-the-record
// profile made before the menu shows). A plain window of the main menu's
// size holds a label of the downloader tile's size; a click on the label
// opens a frameless window of the downloader's size with a web view where
// the downloader has its pane, showing a blank page.
//
//   first_pane_bare [rest-ms]     (default 0)
#include "FirstPane.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QScreen>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>

#include <cstdio>
#include <functional>

namespace {

// Where the toolbox has them: the main menu and its downloader tile, the
// downloader and its pane.
constexpr QSize kMenuSize(769, 512);
constexpr QRect kTileGeometry(40, 320, 281, 129);
constexpr QSize kPaneWindowSize(687, 413);
constexpr QRect kPaneGeometry(24, 16, 297, 73);

// A left press and a release still over it, as the toolbox's tiles take a Click.
class Tile final : public QLabel {
public:
    Tile(QWidget* parent, std::function<void()> clicked)
        : QLabel(parent)
        , clicked_(std::move(clicked)) {}

protected:
    void mousePressEvent(QMouseEvent* event) override { event->accept(); }
    void mouseReleaseEvent(QMouseEvent* event) override {
        event->accept();
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
            clicked_();
        }
    }

private:
    std::function<void()> clicked_;
};

// The toolbox centres its windows where the window system does not place them.
void Centre(QWidget& window) {
    const QRect area = QGuiApplication::primaryScreen()->geometry();
    window.move(area.x() + (area.width() - window.width()) / 2,
                area.y() + (area.height() - window.height()) / 2);
}

} // namespace

int main(int argc, char* argv[]) {
    const int rest = argc > 1 ? FirstPaneClock::RestFromArgument(argv[1]) : 0;
    if (rest < 0) {
        std::fprintf(stderr, "usage: %s [rest-ms]\n", argv[0]);
        return 2;
    }
    // What a Qt WebEngine program sets before its application object.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    int qtArgc = argc > 0 ? 1 : 0;
    QApplication app(qtArgc, argv);
    // Made without a storage name: off the record.
    QWebEngineProfile profile;

    QWidget menu(nullptr, Qt::Window | Qt::FramelessWindowHint);
    menu.setFixedSize(kMenuSize);
    Centre(menu);
    QPointer<QWidget> paneWindow;
    auto* tile = new Tile(&menu, [&] {
        paneWindow = new QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint);
        paneWindow->setFixedSize(kPaneWindowSize);
        auto* view = new QWebEngineView(paneWindow);
        view->setPage(new QWebEnginePage(&profile, view));
        view->setGeometry(kPaneGeometry);
        view->load(QUrl(QStringLiteral("about:blank")));
        Centre(*paneWindow);
        paneWindow->show();
        menu.hide();
    });
    tile->setObjectName(QStringLiteral("tile"));
    tile->setGeometry(kTileGeometry);
    tile->setText(QStringLiteral("download"));

    FirstPaneClock::Run run;
    run.restMs = rest;
    run.findTile = [tile] { return tile; };
    run.isPaneWindow = [&paneWindow](const QWidget& window) {
        return paneWindow.data() == &window;
    };
    new FirstPaneClock(app, run);

    menu.show();
    const int status = app.exec();
    delete paneWindow;
    return status;
}
