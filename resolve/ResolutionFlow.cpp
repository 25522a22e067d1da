#include "ResolutionFlow.h"

#include "LegacyAddress.h"
#include "MirrorFlow.h"
#include "OddAddressFlow.h"
#include "PlayerFlow.h"
#include "ResolutionMessages.h"
#include "SkinSiteFlow.h"
#include "StoreFlow.h"

ResolutionFlow::ResolutionFlow(const LegacyEndpoints& endpoints, Fetcher& fetcher)
    : endpoints_(endpoints)
    , fetcher_(fetcher) {}

std::unique_ptr<ResolutionFlow> ResolutionFlow::For(const QUrl& address,
                                                    const LegacyAddress& legacy,
                                                    const LegacyEndpoints& endpoints,
                                                    Fetcher& fetcher, PlayerIds& playerIds) {
    switch (legacy.target) {
    case LegacyTarget::OfficialSkin:
    case LegacyTarget::OfficialCape:
        return std::make_unique<PlayerFlow>(legacy.name,
                                            legacy.target == LegacyTarget::OfficialCape, endpoints,
                                            fetcher, playerIds);
    case LegacyTarget::SkinmeSkin:
    case LegacyTarget::SkinmeCape:
        return std::make_unique<SkinSiteFlow>(
            legacy.name, legacy.target == LegacyTarget::SkinmeCape, endpoints, fetcher);
    case LegacyTarget::StoreFile:
        return std::make_unique<StoreFlow>(address, legacy, endpoints, fetcher);
    case LegacyTarget::MirrorFile:
        return std::make_unique<MirrorFlow>(address, legacy, endpoints, fetcher);
    case LegacyTarget::OddPlayer:
    case LegacyTarget::OddVersion:
        return std::make_unique<OddAddressFlow>(legacy, endpoints, fetcher);
    case LegacyTarget::None:
        break;
    }
    return nullptr;
}

bool ResolutionFlow::FallBack(const QString&) {
    return false;
}

// Answers reach this flow only while it lives: the fetcher drops them with it.
void ResolutionFlow::Get(const QUrl& url, qint64 maxBytes, Fetcher::Then then) {
    fetcher_.Get(url, maxBytes, *this, std::move(then));
}

void ResolutionFlow::FetchTexture(FoundTexture texture) {
    const QUrl address = texture.address;
    fetcher_.Get(
        address, kLargestTexture, *this,
        [this, texture = std::move(texture)](const HttpAnswer& answer) mutable {
            if (FailIfAskedToWait(answer)) {
                return;
            }
            if (!answer.IsOk()) {
                Fail(Explain(texture.cape ? Failure::CapeImageFailed : Failure::SkinImageFailed,
                             texture.player, DescribeFailure(answer)));
                return;
            }
            texture.bytes = answer.body;
            Q_EMIT TextureFound(texture);
        });
}

void ResolutionFlow::Fail(const ResolutionFailure& failure) {
    Q_EMIT Failed(failure.heading, failure.detail);
}

bool ResolutionFlow::FailIfAskedToWait(const HttpAnswer& answer) {
    if (!answer.AsksToWait()) {
        return false;
    }
    Fail(Explain(Failure::AskedToWait, {}, WaitAsked(answer)));
    return true;
}
