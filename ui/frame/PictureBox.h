#pragma once

#include "ClickTracker.h"

#include <QWidget>

// A coloured holder for other controls, with a Click of its own. Its colour
// comes from its style sheet in the stored layout.
class PictureBox final : public QWidget {
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent = nullptr);

    // True once a window has bound a handler to its Click.
    bool HasClickHandler() const;

Q_SIGNALS:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    ClickTracker click_;
};
