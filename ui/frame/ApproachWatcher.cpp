#include "ApproachWatcher.h"

#include <QEvent>
#include <QWidget>

ApproachWatcher::ApproachWatcher(QWidget& control, std::function<void()> onApproach)
    : QObject(&control)
    , onApproach_(std::move(onApproach)) {
    control.installEventFilter(this);
}

bool ApproachWatcher::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parent() &&
        (event->type() == QEvent::Enter || event->type() == QEvent::FocusIn)) {
        onApproach_();
    }
    return false;
}
