#include "FirstPane.h"

#include "WindowInput.h"

#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <utility>

namespace {

// Generous: on a busy machine the engine's first start takes seconds.
constexpr int kEnterTimeoutMs = 5000;
constexpr int kOpenTimeoutMs = 60000;

} // namespace

FirstPaneClock::FirstPaneClock(QApplication& app, Run run)
    : QObject(&app)
    , run_(std::move(run)) {
    app.installEventFilter(this);
    // The display keeps the pointer where the last run left it, on the tile:
    // each run starts with it in the screen's corner, off every window.
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        QCursor::setPos(screen, screen->geometry().topLeft());
    }
}

int FirstPaneClock::RestFromArgument(const char* argument) {
    char* end = nullptr;
    const long rest = std::strtol(argument, &end, 10);
    return end != argument && *end == '\0' && rest >= 0 && rest <= 600000 ? int(rest) : -1;
}

bool FirstPaneClock::eventFilter(QObject* watched, QEvent* event) {
    switch (stage_) {
    case Stage::Menu:
        if (event->type() == QEvent::Paint && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->isWindow()) {
            // The move waits until this paint and its children's are done.
            stage_ = Stage::Moving;
            QTimer::singleShot(0, this, &FirstPaneClock::Move);
        }
        break;
    case Stage::Moving:
        if (event->type() == QEvent::Enter && watched == tile_) {
            stage_ = Stage::Resting;
            std::fprintf(stderr, "Enter on %s %lld us after the move\n",
                         qPrintable(tile_->objectName()), moved_.nsecsElapsed() / 1000);
            QTimer::singleShot(run_.restMs, Qt::PreciseTimer, this, &FirstPaneClock::Click);
        }
        break;
    case Stage::Opening:
        if (event->type() == QEvent::Paint && watched->isWidgetType()) {
            auto* widget = static_cast<QWidget*>(watched);
            if (widget->isWindow() && !before_.contains(widget)) {
                Opened(*widget);
            }
        }
        break;
    case Stage::Resting:
    case Stage::Done:
        break;
    }
    return false;
}

void FirstPaneClock::Move() {
    tile_ = run_.findTile();
    if (tile_ == nullptr || !tile_->isVisible()) {
        Fail("no visible tile to move onto");
        return;
    }
    // An Enter is only the move's if the pointer starts off the tile.
    if (tile_->underMouse()) {
        Fail("the pointer is on the tile before the move");
        return;
    }
    moved_.start();
    // Through the window system: the Enter comes back with its pointer events.
    QCursor::setPos(tile_->screen(), tile_->mapToGlobal(tile_->rect().center()));
    FailAfter(kEnterTimeoutMs, Stage::Moving, "the tile got no Enter after the pointer moved");
}

void FirstPaneClock::Click() {
    if (tile_ == nullptr || !tile_->underMouse()) {
        Fail("the pointer is no longer on the tile at the click");
        return;
    }
    const QWidgetList windows = QApplication::topLevelWidgets();
    before_ = QSet<const QWidget*>(windows.cbegin(), windows.cend());
    stage_ = Stage::Opening;
    FailAfter(kOpenTimeoutMs, Stage::Opening, "no new window painted within a minute");
    const QPoint at = tile_->rect().center();
    clicked_.start();
    // A tile opens its window on the release, as a Click does.
    WindowInput::Press(tile_, at);
    WindowInput::Release(tile_, at);
}

void FirstPaneClock::Opened(QWidget& window) {
    const qint64 us = clicked_.nsecsElapsed() / 1000;
    if (!run_.isPaneWindow(window)) {
        Fail("the first new window to paint is not the pane window");
        return;
    }
    stage_ = Stage::Done;
    std::printf("%lld\n", us);
    std::fflush(stdout);
    QTimer::singleShot(0, this, [] { QCoreApplication::exit(0); });
}

void FirstPaneClock::Fail(const char* what) {
    stage_ = Stage::Done;
    std::fprintf(stderr, "first pane: %s\n", what);
    QTimer::singleShot(0, this, [] { QCoreApplication::exit(1); });
}

void FirstPaneClock::FailAfter(int ms, Stage stage, const char* what) {
    QTimer::singleShot(ms, this, [this, stage, what] {
        if (stage_ == stage) {
            Fail(what);
        }
    });
}
