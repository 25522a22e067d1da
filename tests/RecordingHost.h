#pragma once

#include "WindowHost.h"

#include <vector>

// Stands in for the registry: remembers what a window asked of it.
class RecordingHost final : public WindowHost {
public:
    void SwitchTo(WindowName target) override { switches.push_back(target); }
    void PrepareFor(WindowName) override {}
    void WindowUnloaded(FramedWindow&) override { ++unloads; }

    std::vector<WindowName> switches;
    int unloads = 0;
};
