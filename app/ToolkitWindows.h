#pragma once

class PaneSource;
class WindowRegistry;

// Tells the registry how each window of the toolbox is made. The windows with
// a browser pane take theirs from `panes`, which must outlive the registry's
// windows.
void RegisterToolkitWindows(WindowRegistry& registry, PaneSource& panes);
