#pragma once

class WindowRegistry;

// Tells the registry how each window of the toolbox is made.
void RegisterToolkitWindows(WindowRegistry& registry);
