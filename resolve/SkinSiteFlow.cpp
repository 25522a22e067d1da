#include "SkinSiteFlow.h"

#include "ProfileAnswer.h"
#include "ResolutionMessages.h"
#include "SkinSiteAnswer.h"

SkinSiteFlow::SkinSiteFlow(QString name, bool cape, const LegacyEndpoints& endpoints,
                           Fetcher& fetcher)
    : ResolutionFlow(endpoints, fetcher)
    , name_(std::move(name))
    , cape_(cape) {}

void SkinSiteFlow::Start() {
    if (name_.isEmpty()) {
        Fail(Explain(Failure::NoPlayerName, name_));
        return;
    }
    // The site names its players by name alone; a UUID would be asked as one.
    if (!TypedPlayerUuid(name_).isEmpty()) {
        Finish(Failure::UuidOnSkinSite, endpoints_.skinSiteHost);
        return;
    }
    // The name as UTF-8, every byte outside the unreserved set escaped: a
    // Chinese name reaches the site as %E8%8B%A6...
    const QString encoded = QString::fromLatin1(QUrl::toPercentEncoding(name_));
    Get(endpoints_.At(endpoints_.skinSiteHost, QStringLiteral("/csl/%1.json").arg(encoded)),
        Fetcher::kSmallAnswerBytes, [this](const HttpAnswer& answer) { OnTextures(answer); });
}

void SkinSiteFlow::OnTextures(const HttpAnswer& answer) {
    if (FailIfAskedToWait(answer)) {
        return;
    }
    if (answer.failure.isEmpty() && answer.status == 404) {
        Finish(Failure::NoSuchSitePlayer, endpoints_.skinSiteHost);
        return;
    }
    if (!answer.IsOk()) {
        Finish(Failure::SiteLookupFailed, DescribeFailure(answer));
        return;
    }
    const SkinSiteTextures textures = ReadSkinSiteTextures(answer.body);
    if (!textures.problem.isEmpty()) {
        Finish(Failure::SiteLookupFailed, Because(Reason::HostSays, answer.host, textures.problem));
        return;
    }
    const QString hash = cape_ ? textures.cape : textures.skin;
    if (hash.isEmpty()) {
        Finish(cape_ ? Failure::NoSiteCape : Failure::NoSiteSkin, endpoints_.skinSiteHost);
        return;
    }
    FetchTexture({name_,
                  cape_,
                  !cape_ && textures.slim,
                  endpoints_.At(endpoints_.skinSiteHost, QStringLiteral("/textures/") + hash),
                  {}});
}

void SkinSiteFlow::Finish(Failure failure, const QString& detail) {
    Fail(Explain(failure, name_, detail));
}
