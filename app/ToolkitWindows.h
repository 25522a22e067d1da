#pragma once

#include "SkinAddress.h"
#include "VersionFileAddress.h"

class PaneSource;
class WindowRegistry;

// Tells the registry how each window of the toolbox is made. The windows with
// a browser pane take theirs from `panes`, which must outlive the registry's
// windows. The skin fetcher and the downloader build their addresses on
// `skins` and `versions`: the configured servers unless told otherwise. The
// application ends once `panes` has no download running.
void RegisterToolkitWindows(WindowRegistry& registry, PaneSource& panes,
                            const SkinBases& skins = ConfiguredSkinBases(),
                            const VersionFileBases& versions = ConfiguredVersionFileBases());
