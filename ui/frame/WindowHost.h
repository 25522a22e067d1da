#pragma once

#include "WindowName.h"

class FramedWindow;

// What a window asks of the application that owns it: to be replaced by
// another window, to get another window ready ahead of a likely switch, and
// to hear when a window has been unloaded (the last one unloaded ends the
// application).
class WindowHost {
public:
    virtual ~WindowHost() = default;
    virtual void SwitchTo(WindowName target) = 0;
    // A switch to `target` may come soon (the pointer rests on its tile):
    // start whatever slow set-up its window needs, showing nothing and
    // reporting nothing. The switch itself still works without it.
    virtual void PrepareFor(WindowName target) = 0;
    virtual void WindowUnloaded(FramedWindow& window) = 0;
};
