#pragma once

#include <QObject>

#include <functional>

class QWidget;

// Runs a callback when the pointer enters a control or the keyboard focus
// reaches it: the moments before a likely click on it. Lives as the
// control's child, so it goes with the control.
class ApproachWatcher final : public QObject {
public:
    ApproachWatcher(QWidget& control, std::function<void()> onApproach);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void()> onApproach_;
};
