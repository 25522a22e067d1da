#include "OddAddressFlow.h"

#include "ResolutionMessages.h"

OddAddressFlow::OddAddressFlow(const LegacyAddress& legacy, const LegacyEndpoints& endpoints,
                               Fetcher& fetcher)
    : ResolutionFlow(endpoints, fetcher)
    , legacy_(legacy) {}

void OddAddressFlow::Start() {
    const bool version = legacy_.target == LegacyTarget::OddVersion;
    Fail(Explain(version ? Failure::OddVersion : Failure::OddPlayer,
                 version ? legacy_.version : legacy_.name, WhyNotRead(legacy_)));
}
