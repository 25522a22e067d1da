#include "OptionButton.h"

#include <QFocusEvent>

OptionButton::OptionButton(QWidget* parent)
    : QRadioButton(parent) {
    connect(this, &QAbstractButton::toggled, this, [this](bool on) {
        if (on) {
            Q_EMIT chosen();
        }
    });
}

bool OptionButton::hitButton(const QPoint& pos) const {
    return rect().contains(pos);
}

// A press selects the button on its release, as any click does; every other
// way in (Tab, arrow keys, the window opening or coming back) selects it now.
void OptionButton::focusInEvent(QFocusEvent* event) {
    QRadioButton::focusInEvent(event);
    if (selectsOnFocus_ && event->reason() != Qt::MouseFocusReason && !isChecked()) {
        setChecked(true);
    }
}
