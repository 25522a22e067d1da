#include "PictureBox.h"

#include <QMetaMethod>

PictureBox::PictureBox(QWidget* parent)
    : QWidget(parent) {
    // Paint the background that the style sheet gives; a plain QWidget would not.
    setAttribute(Qt::WA_StyledBackground);
    setFocusPolicy(Qt::StrongFocus);
}

bool PictureBox::HasClickHandler() const {
    return isSignalConnected(QMetaMethod::fromSignal(&PictureBox::clicked));
}

void PictureBox::mousePressEvent(QMouseEvent* event) {
    click_.Press(event);
}

void PictureBox::mouseDoubleClickEvent(QMouseEvent* event) {
    click_.DoubleClick(event);
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event) {
    if (click_.Release(event, *this)) {
        Q_EMIT clicked();
    }
}
