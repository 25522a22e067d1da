#pragma once

#include <QCoreApplication>
#include <QTest>
#include <QWidget>
#include <QWindow>

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

} // namespace WindowInput
