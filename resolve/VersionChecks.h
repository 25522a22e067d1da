#pragma once

#include "Fetcher.h"
#include "LegacyAddress.h"
#include "LegacyEndpoints.h"

#include <memory>

class LateCheck;

// What a version's file must hash to, asked beside its download.

// The official chain: the version list, then the version's description
// (checked against the list), whose entry under `key` vouches for a jar. It
// is used when it has answered by the time the file is whole: nothing waits
// on servers abroad.
std::shared_ptr<LateCheck> AskOfficialDescription(Fetcher& fetcher,
                                                  const LegacyEndpoints& endpoints,
                                                  const QString& version, const QString& key);

// The official version list, which vouches for the version's description
// itself; used only if it has answered in time.
std::shared_ptr<LateCheck> AskOfficialManifest(Fetcher& fetcher, const LegacyEndpoints& endpoints,
                                               const QString& version);

// The mirror's own description of the version, for one of its jars: worth
// waiting for at the end of the download, within the time limit.
std::shared_ptr<LateCheck> AskMirrorDescription(Fetcher& fetcher, const LegacyEndpoints& endpoints,
                                                const LegacyAddress& jar);
