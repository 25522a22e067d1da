#pragma once

#include <functional>

class BrowserPane;
class QWidget;

// Where a window gets its browser pane from when it is loaded. The program's
// source loads the web engine on first need; tests hand in panes of their own.
class PaneSource {
public:
    virtual ~PaneSource() = default;

    // A fresh pane that fills `holder` and is owned by it, so it goes when the
    // window's controls go.
    virtual BrowserPane& CreatePane(QWidget& holder) = 0;

    // Gets ready, in the event loop's spare moments, what the first pane
    // needs, so that one asked for soon after comes sooner. Reports nothing:
    // what fails here fails again, with its reason, in CreatePane.
    virtual void Prepare() {}

    // Runs `end` at once when no download of the panes runs; otherwise once
    // the last download window has been closed.
    virtual void EndWhenIdle(std::function<void()> end) { end(); }
};
