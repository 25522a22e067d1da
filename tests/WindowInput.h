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
#include <memory>

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

// Answers every modal dialog of one kind that comes up, as a person would:
// `answer` runs on it whenever it is the active modal window, until it
// goes. It looks at every turn `intervalMs` apart, from its construction
// until its destruction; a dialog that must settle first (a file dialog
// reading its folder) is left for a later look.
class ModalAnswerer final : public QObject {
public:
    template <class Dialog>
    static std::unique_ptr<ModalAnswerer> For(std::function<void(Dialog&)> answer,
                                              int intervalMs = 10) {
        return std::unique_ptr<ModalAnswerer>(new ModalAnswerer(
            Dialog::staticMetaObject,
            [answer](QWidget& dialog) { answer(static_cast<Dialog&>(dialog)); }, intervalMs));
    }

private:
    ModalAnswerer(const QMetaObject& kind, std::function<void(QWidget&)> answer, int intervalMs);
    void Look();

    const QMetaObject& kind_;
    std::function<void(QWidget&)> answer_;
    QTimer timer_;
};

// Answers every message box that comes up modal: reads it, then presses its
// OK button (or its only one).
class MessageBoxCloser final {
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
    MessageBoxCloser(const MessageBoxCloser&) = delete;
    MessageBoxCloser& operator=(const MessageBoxCloser&) = delete;

    // Every box answered so far, the oldest first.
    QList<Box> boxes;
    // Runs on each box while it is still up, before it is answered.
    std::function<void(const QMessageBox&)> onBox;

private:
    void Answer(QMessageBox& box);

    std::unique_ptr<ModalAnswerer> answerer_;
};

} // namespace WindowInput
