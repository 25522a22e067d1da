#pragma once

#include "Fetcher.h"
#include "LegacyAddress.h"
#include "LegacyEndpoints.h"

#include <QtGlobal>

#include <memory>

class LateCheck;

// What a version's file must hash to, asked beside its download.

// The most a version's jar may grow to while nothing has said its size:
// the largest today (the server jars of 1.21, which carry their libraries)
// are under 60 MB, so a quarter of a gigabyte leaves years of growth, and
// stops a server that sends without end before it fills the disk.
inline constexpr qint64 kLargestVersionJar = qint64(256) * 1024 * 1024;
// A version's JSON is a document like the list and the descriptions the
// toolbox reads itself, and bounded as they are.
inline constexpr qint64 kLargestVersionJson = Fetcher::kDocumentBytes;

// The official chain: the version list, then the version's description
// (checked against the list), whose entry under `key` decides what a jar
// must be. The end of the download waits for it, within the time limit of
// each of its two requests.
std::shared_ptr<LateCheck> AskOfficialDescription(Fetcher& fetcher,
                                                  const LegacyEndpoints& endpoints,
                                                  const QString& version, const QString& key);

// The official version list, which vouches for the version's description
// itself; used only if it has answered in time.
std::shared_ptr<LateCheck> AskOfficialManifest(Fetcher& fetcher, const LegacyEndpoints& endpoints,
                                               const QString& version);

// The mirror's own description of the version, for one of its jars: used
// only when the official chain gives nothing to check against, and a jar that
// matches it is still of unconfirmed source.
std::shared_ptr<LateCheck> AskMirrorDescription(Fetcher& fetcher, const LegacyEndpoints& endpoints,
                                                const LegacyAddress& jar);
