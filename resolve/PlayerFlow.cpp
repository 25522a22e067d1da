#include "PlayerFlow.h"

#include "AnswerJson.h"
#include "PlayerIds.h"
#include "ProfileAnswer.h"
#include "ResolutionMessages.h"

namespace {

bool SaysNoSuchPlayer(const HttpAnswer& answer) {
    // 204: the old look-up's "nobody by that name"; 400: not a valid name.
    return answer.failure.isEmpty() &&
           (answer.status == 204 || answer.status == 400 || answer.status == 404);
}

} // namespace

PlayerFlow::PlayerFlow(QString name, bool cape, const LegacyEndpoints& endpoints, Fetcher& fetcher,
                       PlayerIds& playerIds)
    : ResolutionFlow(endpoints, fetcher)
    , name_(std::move(name))
    , cape_(cape)
    , playerIds_(playerIds) {}

void PlayerFlow::Start() {
    if (name_.isEmpty()) {
        Finish(Explain(Failure::NoPlayerName, name_));
        return;
    }
    // A UUID names the profile itself: no name to look up.
    const QString typedId = TypedPlayerUuid(name_);
    if (!typedId.isEmpty()) {
        Profile(typedId);
        return;
    }
    const QString known = playerIds_.Find(name_);
    if (known.isEmpty()) {
        LookUp();
    } else {
        Profile(known);
    }
}

PlayerFlow::LookUpResult PlayerFlow::ReadLookUp(const HttpAnswer& answer) {
    LookUpResult result;
    if (answer.IsOk()) {
        const PlayerLookup lookup = ReadPlayerLookup(answer.body);
        result.id = lookup.id;
        if (!lookup.problem.isEmpty()) {
            result.reason = Because(Reason::HostSays, answer.host, lookup.problem);
        }
    } else {
        result.reason = DescribeFailure(answer);
        result.noSuchPlayer = SaysNoSuchPlayer(answer);
        if (answer.AsksToWait()) {
            result.busy = answer;
        }
    }
    return result;
}

QUrl PlayerFlow::NameAt(const QString& host, const QString& path) const {
    return endpoints_.At(host, path + QString::fromLatin1(QUrl::toPercentEncoding(name_)));
}

void PlayerFlow::Found(const QString& id) {
    playerIds_.Remember(name_, id);
    Profile(id);
}

void PlayerFlow::LookUp() {
    step_ = Step::LookUp;
    Get(NameAt(endpoints_.lookupHost, QStringLiteral("/minecraft/profile/lookup/name/")),
        Fetcher::kSmallAnswerBytes, [this](const HttpAnswer& answer) {
            first_ = ReadLookUp(answer);
            if (first_.id.isEmpty()) {
                Fallback();
            } else {
                Found(first_.id);
            }
        });
}

void PlayerFlow::Fallback() {
    step_ = Step::Fallback;
    Get(NameAt(endpoints_.fallbackLookupHost, QStringLiteral("/users/profiles/minecraft/")),
        Fetcher::kSmallAnswerBytes, [this](const HttpAnswer& answer) {
            const LookUpResult second = ReadLookUp(answer);
            if (!second.id.isEmpty()) {
                Found(second.id);
            } else if (first_.noSuchPlayer || second.noSuchPlayer) {
                Finish(Explain(Failure::NoSuchPlayer, name_));
            } else if (const auto busy = second.busy ? second.busy : first_.busy) {
                step_ = Step::Done;
                FailIfAskedToWait(*busy);
            } else {
                Finish(Explain(Failure::PlayerLookupFailed, name_,
                               QStringLiteral("%1；%2").arg(first_.reason, second.reason)));
            }
        });
}

void PlayerFlow::Profile(const QString& id) {
    step_ = Step::Profile;
    if (const auto kept = playerIds_.Profile(id)) {
        OnProfile(id, *kept, false);
        return;
    }
    Get(endpoints_.At(endpoints_.sessionHost, QStringLiteral("/session/minecraft/profile/") + id),
        Fetcher::kSmallAnswerBytes,
        [this, id](const HttpAnswer& answer) { OnProfile(id, answer, true); });
}

void PlayerFlow::OnProfile(const QString& id, const HttpAnswer& answer, bool fresh) {
    if (SaysNoSuchPlayer(answer)) {
        // The id may be stale: the next fetch of the name looks it up again.
        playerIds_.Forget(name_);
        Finish(Explain(Failure::NoProfile, name_, answer.host));
        return;
    }
    if (FailIfAskedToWait(answer)) {
        step_ = Step::Done;
        return;
    }
    if (!answer.IsOk()) {
        Finish(Explain(Failure::ProfileFailed, name_, DescribeFailure(answer)));
        return;
    }
    const PlayerTextures textures = ReadPlayerTextures(answer.body);
    if (!textures.problem.isEmpty()) {
        Finish(Explain(Failure::ProfileFailed, name_,
                       Because(Reason::HostSays, answer.host, textures.problem)));
        return;
    }
    if (fresh) {
        playerIds_.RememberProfile(id, answer);
    }
    const QUrl image = cape_ ? textures.cape : textures.skin;
    if (image.isEmpty()) {
        Finish(Explain(cape_ ? Failure::NoCape : Failure::NoSkin, name_));
        return;
    }
    step_ = Step::Texture;
    // Saved under the player's name: the one typed, or for a UUID the
    // profile's current one.
    const QString saveName =
        TypedPlayerUuid(name_).isEmpty() || textures.name.isEmpty() ? name_ : textures.name;
    FetchTexture(
        {saveName, cape_, !cape_ && textures.slim, AddressOver(image, endpoints_.scheme), {}});
}

void PlayerFlow::Finish(const ResolutionFailure& failure) {
    step_ = Step::Done;
    Fail(failure);
}
