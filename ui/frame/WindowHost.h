#pragma once

#include "WindowName.h"

class FramedWindow;

// What a window asks of the application that owns it: to be replaced by
// another window, and to hear when a window has been unloaded (the last one
// unloaded ends the application).
class WindowHost {
public:
    virtual ~WindowHost() = default;
    virtual void SwitchTo(WindowName target) = 0;
    virtual void WindowUnloaded(FramedWindow& window) = 0;
};
