#include "WindowInput.h"

#include <QAbstractButton>
#include <QApplication>

namespace WindowInput {

MessageBoxCloser::MessageBoxCloser(int intervalMs) {
    connect(&timer_, &QTimer::timeout, this, &MessageBoxCloser::Answer);
    timer_.start(intervalMs);
}

void MessageBoxCloser::Answer() {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) {
        return;
    }
    Box seen{box->text(), box->textFormat(), box->windowTitle(), box->icon(), box->isModal(), {}};
    const QList<QAbstractButton*> buttons = box->buttons();
    for (QAbstractButton* button : buttons) {
        seen.buttons.append(box->standardButton(button));
    }
    boxes.append(seen);
    if (onBox) {
        onBox(*box);
    }
    QAbstractButton* answer = box->button(QMessageBox::Ok);
    if (answer == nullptr && buttons.size() == 1) {
        answer = buttons.first();
    }
    if (answer != nullptr) {
        answer->click();
    } else {
        box->accept();
    }
}

} // namespace WindowInput
