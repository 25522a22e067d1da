#pragma once

#include <QRadioButton>

// An option button as the stored layouts know it: the whole rectangle takes
// the mouse, not just the circle and caption, and the keyboard focus selects
// it when it arrives (unless its layout sets selectsOnFocus off). `chosen` is
// its Click: raised whenever it becomes the selected option of its group, by
// mouse, keyboard or focus.
class OptionButton final : public QRadioButton {
    Q_OBJECT
    Q_PROPERTY(bool selectsOnFocus MEMBER selectsOnFocus_)
public:
    explicit OptionButton(QWidget* parent = nullptr);

Q_SIGNALS:
    void chosen();

protected:
    bool hitButton(const QPoint& pos) const override;
    void focusInEvent(QFocusEvent* event) override;

private:
    bool selectsOnFocus_ = true;
};
