#pragma once

#include <QCoreApplication>
#include <QList>
#include <QMessageBox>
#include <QObject>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <functional>

// Mouse input goes through the native window, as the window system delivers
// it, so Qt picks the receiving control and keeps the mouse grabbed by it.
// Points are relative to the control named.
namespace WindowInput {

inline QPoint InWindow(const QWidget* control, QPoint where) {
    return control->mapTo(control->window(), where);
}

inline void Press(QWidget* control, QPoint where, Qt::MouseButton button = Qt::LeftButton) {
    QTest::mousePress(control->window()->windowHandle(), button, {}, InWindow(control, where));
}

inline void Release(QWidget* control, QPoint where, Qt::MouseButton button = Qt::LeftButton) {
    QTest::mouseRelease(control->window()->windowHandle(), button, {}, InWindow(control, where));
}

inline void MoveTo(QWidget* control, QPoint where) {
    QTest::mouseMove(control->window()->windowHandle(), InWindow(control, where));
}

inline void Click(QWidget* control, QPoint where, Qt::MouseButton button = Qt::LeftButton) {
    QTest::mouseClick(control->window()->windowHandle(), button, {}, InWindow(control, where));
}

// Unloaded windows are deleted once the event loop comes round; make it so now.
inline void DestroyUnloadedWidgets() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// The control called `name` on `surface`, or null; null too when there is
// no surface.
template <class T = QWidget> T* Named(const QWidget* surface, const QString& name) {
    return surface != nullptr ? surface->findChild<T*>(name) : nullptr;
}

// The same on the loaded surface of a toolbox window (a FramedWindow).
template <class T = QWidget, class Window>
requires requires(const Window& window) {
    window.Surface();
}
T* Named(const Window* window, const QString& name) {
    return window != nullptr ? Named<T>(window->Surface(), name) : nullptr;
}

// Answers every message box that comes up modal, as a person would: reads
// it, then presses its OK button (or its only one). Watches from its
// construction until its destruction.
class MessageBoxCloser final : public QObject {
public:
    struct Box {
        QString text;
        Qt::TextFormat format = Qt::AutoText;
        QString title;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        bool modal = false;
        QList<QMessageBox::StandardButton> buttons;
    };

    explicit MessageBoxCloser(int intervalMs = 10);

    // Every box answered so far, the oldest first.
    QList<Box> boxes;
    // Runs on each box while it is still up, before it is answered.
    std::function<void(const QMessageBox&)> onBox;

private:
    void Answer();

    QTimer timer_;
};

} // namespace WindowInput
