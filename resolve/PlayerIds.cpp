#include "PlayerIds.h"

#include <algorithm>

PlayerIds::PlayerIds(std::function<qint64()> nowMs)
    : nowMs_(std::move(nowMs)) {
    runClock_.start();
    if (!nowMs_) {
        nowMs_ = [this] { return runClock_.elapsed(); };
    }
}

template <typename T>
std::optional<T> PlayerIds::Recall(const Memory<T>& memory, const QString& key,
                                   qint64 lifetimeMs) const {
    const auto kept = memory.constFind(key);
    if (kept == memory.cend() || nowMs_() - kept->keptAtMs >= lifetimeMs) {
        return std::nullopt;
    }
    return kept->value;
}

template <typename T>
void PlayerIds::Keep(Memory<T>& memory, const QString& key, T value, qint64 lifetimeMs) {
    const qint64 now = nowMs_();
    memory.removeIf([now, lifetimeMs](const typename Memory<T>::iterator entry) {
        return now - entry->keptAtMs >= lifetimeMs;
    });
    if (!memory.contains(key) && memory.size() >= kMostKept) {
        memory.erase(
            std::min_element(memory.begin(), memory.end(), [](const Kept<T>& a, const Kept<T>& b) {
                return a.keptAtMs < b.keptAtMs;
            }));
    }
    memory.insert(key, {std::move(value), now});
}

QString PlayerIds::Find(const QString& name) const {
    return Recall(ids_, name.toLower(), kIdMs).value_or(QString());
}

void PlayerIds::Remember(const QString& name, const QString& id) {
    Keep(ids_, name.toLower(), id, kIdMs);
}

std::optional<HttpAnswer> PlayerIds::Profile(const QString& id) const {
    return Recall(profiles_, id, kProfileMs);
}

void PlayerIds::RememberProfile(const QString& id, const HttpAnswer& answer) {
    Keep(profiles_, id, answer, kProfileMs);
}
