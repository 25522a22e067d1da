#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QSet>

#include <functional>

class QApplication;
class QWidget;

// Click to the first pane window, as a person gets there: once the first
// window (the menu) has painted, the pointer is moved onto a tile through the
// window system, rests there, and the tile is clicked with a left press and
// release at the same point. The time from the press to the first paint of a
// top-level window that did not exist at the click is printed, in
// microseconds, on stdout, and the application exits with 0.
//
// Anything else ends the run with exit status 1 and a line on stderr: no
// tile, no Enter on the tile after the move, the pointer no longer on it at
// the click, no new window within the time allowed, or a new window that is
// not the pane window (a message box, say).
class FirstPaneClock final : public QObject {
public:
    struct Run {
        // How long the pointer rests on the tile before the click.
        int restMs = 0;
        // Asked once the menu has painted.
        std::function<QWidget*()> findTile;
        // Whether the first new window to paint is the one the tile opens.
        std::function<bool(const QWidget&)> isPaneWindow;
    };

    // Watches every widget of `app` from now on. Call before the menu shows:
    // the pointer is put in the screen's corner, off every window.
    FirstPaneClock(QApplication& app, Run run);

    // The rest in milliseconds given as `argument`, or -1 if it is not a
    // whole number from 0 to 600000.
    static int RestFromArgument(const char* argument);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class Stage { Menu, Moving, Resting, Opening, Done };

    void Move();
    void Click();
    void Opened(QWidget& window);
    void Fail(const char* what);
    void FailAfter(int ms, Stage stage, const char* what);

    Run run_;
    Stage stage_ = Stage::Menu;
    QPointer<QWidget> tile_;
    QSet<const QWidget*> before_;
    QElapsedTimer moved_;
    QElapsedTimer clicked_;
};
