#pragma once

#include "LegacyAddress.h"
#include "ResolutionFlow.h"

// An old address under a folder of the old servers from which no player
// name or version can be read (a "?", "#", "/" or dot segment in what was
// typed): refused at once with why. Nothing is asked, and the address is
// never loaded as written.
class OddAddressFlow final : public ResolutionFlow {
    Q_OBJECT

public:
    OddAddressFlow(const LegacyAddress& legacy, const LegacyEndpoints& endpoints, Fetcher& fetcher);

    void Start() override;

private:
    const LegacyAddress legacy_;
};
