#include "ToolkitWindows.h"

#include "Form1.h"
#include "WindowRegistry.h"

void RegisterToolkitWindows(WindowRegistry& registry) {
    registry.SetFactory(WindowName::Form1,
                        [](WindowHost& host) { return std::make_unique<Form1>(host); });
}
