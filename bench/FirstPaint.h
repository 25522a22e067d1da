#pragma once

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

// Ends the process once the first window it is given has painted: the
// whole-process time from exec to first paint is then the process's run time,
// and its peak memory is the peak up to that moment.
class ExitOnFirstPaint final : public QObject {
public:
    // Watches every top-level widget the application shows.
    static void Install(QApplication& app) { app.installEventFilter(new ExitOnFirstPaint(&app)); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!done_ && event->type() == QEvent::Paint) {
            auto* widget = qobject_cast<QWidget*>(watched);
            if (widget != nullptr && widget->isWindow()) {
                done_ = true;
                // Let this paint reach the screen, then leave.
                QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
            }
        }
        return false;
    }

private:
    using QObject::QObject;
    bool done_ = false;
};
