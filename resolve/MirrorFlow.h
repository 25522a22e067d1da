#pragma once

#include "LegacyAddress.h"
#include "ResolutionFlow.h"

#include <memory>

class MirrorFallback;

// A file of the mirror: offered at once from where the mirror keeps it
// today. What it must hash to is asked beside the download: of the official
// chain and of the mirror's own description for a jar, of the official list
// for that description itself. People take the mirror when the servers
// abroad are slow or out of reach, so only the mirror's own answer may hold
// up the end of a download. A mirror that refuses the file hands it over to
// the official store (MirrorFallback).
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
