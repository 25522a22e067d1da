#pragma once

#include "ClickTracker.h"

#include <QLabel>

// A label, or an image when it holds a pixmap, with a Click: a left press and
// release on it. It keeps every press to itself, so a press on a label never
// reaches the window's drag handlers.
//
// A picture is drawn pixel for pixel, without smoothing: on a scaled screen
// each pixel of the bitmap becomes a block of device pixels instead of being
// blurred into its neighbours.
//
// Wrapped text is set one line per em, as the platform the layouts come from
// sets it: the layouts' label heights are made for that, and a fallback font
// with taller line spacing would otherwise push the last line out of sight.
class ClickLabel final : public QLabel {
    Q_OBJECT
public:
    explicit ClickLabel(QWidget* parent = nullptr);

    // True once a window has bound a handler to its Click.
    bool HasClickHandler() const;

Q_SIGNALS:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void PaintPicture();

    ClickTracker click_;
};
