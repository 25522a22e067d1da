#pragma once

#include "SkinAddress.h"
#include "VersionFileAddress.h"
#include "VersionListFetch.h"

class Fetcher;
class PaneSource;
class WindowRegistry;

// Tells the registry how each window of the toolbox is made. The windows with
// a browser pane take theirs from `panes`, which must outlive the registry's
// windows. The skin fetcher and the downloader build their addresses on
// `skins` and `versions`: the configured servers unless told otherwise. The
// downloader reads its list of versions from `lists` through `listFetcher`,
// or through a fetcher of its own on the network when there is none. The
// application ends once `panes` has no download running.
void RegisterToolkitWindows(WindowRegistry& registry, PaneSource& panes,
                            const SkinBases& skins = ConfiguredSkinBases(),
                            const VersionFileBases& versions = ConfiguredVersionFileBases(),
                            const VersionListSources& lists = ConfiguredVersionListSources(),
                            Fetcher* listFetcher = nullptr);
