#pragma once

#include "FramedWindow.h"
#include "WindowHost.h"
#include "WindowName.h"

#include <QObject>

#include <array>
#include <functional>
#include <memory>

// One slot per window, each filled the first time its window is needed and
// never emptied. Exactly one window is loaded between switches; when the last
// one is unloaded the application ends.
class WindowRegistry final : public QObject, public WindowHost {
    Q_OBJECT
public:
    using Factory = std::function<std::unique_ptr<FramedWindow>(WindowHost&)>;

    WindowRegistry();
    ~WindowRegistry() override;

    // How the instance of a window is made. A window with no factory does not
    // exist yet, and a switch to it does nothing.
    void SetFactory(WindowName name, Factory factory);

    // What gets a window ready ahead of a switch to it (WindowHost::PrepareFor).
    // It must not throw: a failure shows when the window is opened. A window
    // without one needs no preparing.
    void SetPreparer(WindowName name, std::function<void()> preparer);

    // What runs the application's end once the last window is unloaded: it
    // is handed the end and may run it later, once work that must not be
    // lost (a running download) is over. Without one the end runs at once.
    using EndHold = std::function<void(std::function<void()> end)>;
    void SetEndHold(EndHold hold);

    // Creates the main menu, loads and shows it.
    void Start();

    // Creates the target if its slot is empty, shows it, then unloads the
    // window that was current.
    void SwitchTo(WindowName target) override;
    void PrepareFor(WindowName target) override;
    void WindowUnloaded(FramedWindow& window) override;

    // The instance in a slot, or nullptr while the slot is empty.
    FramedWindow* Instance(WindowName name) const;
    int LoadedCount() const;

Q_SIGNALS:
    void lastWindowUnloaded();
    // Right before the application is told to quit.
    void applicationEnding();

private:
    static constexpr std::size_t kSlots = 4;
    std::unique_ptr<FramedWindow>& Slot(WindowName name);
    FramedWindow* Create(WindowName name);

    std::array<Factory, kSlots> factories_;
    std::array<std::function<void()>, kSlots> preparers_;
    EndHold endHold_;
    std::array<std::unique_ptr<FramedWindow>, kSlots> slots_;
    FramedWindow* current_ = nullptr;
};
