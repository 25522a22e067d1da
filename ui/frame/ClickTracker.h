#pragma once

#include <QMouseEvent>
#include <QWidget>

// The Click of a control: a left press on it and a left release still over it.
// The second press of a double click starts no Click, as on the platform the
// layouts come from. Every press is accepted, so none travels on to the window.
class ClickTracker {
public:
    void Press(QMouseEvent* event) {
        event->accept();
        if (event->button() == Qt::LeftButton) {
            armed_ = true;
        }
    }

    void DoubleClick(QMouseEvent* event) {
        event->accept();
        armed_ = false;
    }

    // True when this release completes a Click.
    bool Release(QMouseEvent* event, const QWidget& control) {
        event->accept();
        if (event->button() != Qt::LeftButton || !armed_) {
            return false;
        }
        armed_ = false;
        return control.rect().contains(event->position().toPoint());
    }

private:
    bool armed_ = false;
};
