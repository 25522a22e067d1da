#include "PlayerIds.h"

PlayerIds::PlayerIds(std::function<qint64()> nowMs)
    : nowMs_(std::move(nowMs)) {
    runClock_.start();
    if (!nowMs_) {
        nowMs_ = [this] { return runClock_.elapsed(); };
    }
}

std::optional<HttpAnswer> PlayerIds::Profile(const QString& id) const {
    const auto kept = profiles_.constFind(id);
    if (kept == profiles_.cend() || nowMs_() - kept->keptAtMs >= kProfileMs) {
        return std::nullopt;
    }
    return kept->answer;
}

void PlayerIds::RememberProfile(const QString& id, const HttpAnswer& answer) {
    profiles_.insert(id, {answer, nowMs_()});
}
