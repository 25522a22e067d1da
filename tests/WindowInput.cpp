#include "WindowInput.h"

#include <QAbstractButton>
#include <QApplication>

namespace WindowInput {

ModalAnswerer::ModalAnswerer(const QMetaObject& kind, std::function<void(QWidget&)> answer,
                             int intervalMs)
    : kind_(kind)
    , answer_(std::move(answer)) {
    connect(&timer_, &QTimer::timeout, this, &ModalAnswerer::Look);
    timer_.start(intervalMs);
}

void ModalAnswerer::Look() {
    QWidget* dialog = QApplication::activeModalWidget();
    if (dialog != nullptr && dialog->metaObject()->inherits(&kind_)) {
        answer_(*dialog);
    }
}

MessageBoxCloser::MessageBoxCloser(int intervalMs)
    : answerer_(
          ModalAnswerer::For<QMessageBox>([this](QMessageBox& box) { Answer(box); }, intervalMs)) {}

void MessageBoxCloser::Answer(QMessageBox& box) {
    Box seen{box.text(), box.textFormat(), box.windowTitle(), box.icon(), box.isModal(), {}};
    const QList<QAbstractButton*> buttons = box.buttons();
    for (QAbstractButton* button : buttons) {
        seen.buttons.append(box.standardButton(button));
    }
    boxes.append(seen);
    if (onBox) {
        onBox(box);
    }
    QAbstractButton* answer = box.button(QMessageBox::Ok);
    if (answer == nullptr && buttons.size() == 1) {
        answer = buttons.first();
    }
    if (answer != nullptr) {
        answer->click();
    } else {
        box.accept();
    }
}

} // namespace WindowInput
