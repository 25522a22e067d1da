#pragma once

#include "LegacyAddress.h"
#include "ResolutionFlow.h"

#include <memory>

class MirrorFallback;

// A file of the mirror: offered at once from where the mirror keeps it
// today. What it must hash to is asked beside the download: of the official
// chain for a jar, which the end of the download waits for, and of the
// mirror's own description only for when the official chain gives nothing;
// of the official list, if in time, for that description itself. A mirror
// that refuses the file, or sends one the official chain disowns, hands it
// over to the official store (MirrorFallback).
class MirrorFlow final : public ResolutionFlow {
    Q_OBJECT

public:
    MirrorFlow(const QUrl& address, const LegacyAddress& legacy, const LegacyEndpoints& endpoints,
               Fetcher& fetcher);

    void Start() override;
    bool FallBack(const QString& why) override;

private:
    const QUrl address_;
    const LegacyAddress legacy_;
    std::shared_ptr<MirrorFallback> fallback_;
};
