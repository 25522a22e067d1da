#pragma once

#include "LegacyAddress.h"
#include "ResolutionFlow.h"

// A file of the mirror: offered at once from where the mirror keeps it
// today. What it must hash to is asked beside the download: of the mirror's
// own description of the version for a jar, and of the official list for
// that description itself. People take the mirror when the servers abroad
// are slow or out of reach, so only the mirror's own answer may hold up the
// end of a download.
class MirrorFlow final : public ResolutionFlow {
    Q_OBJECT

public:
    MirrorFlow(const QUrl& address, const LegacyAddress& legacy, const LegacyEndpoints& endpoints,
               Fetcher& fetcher);

    void Start() override;

private:
    const QUrl address_;
    const LegacyAddress legacy_;
};
