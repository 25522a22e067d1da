#pragma once

#include <QWidget>

class FramedWindow;

// The native top-level window of a loaded window: no border, no title bar.
// Mouse events on its bare background go to the instance's Form_Mouse*
// handlers in twips; presses on controls never get here.
class FrameSurface final : public QWidget {
    Q_OBJECT
public:
    explicit FrameSurface(FramedWindow& owner);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    FramedWindow& owner_;
};
