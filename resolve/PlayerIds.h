#pragma once

#include "HttpAnswer.h"

#include <QElapsedTimer>
#include <QHash>
#include <QString>

#include <functional>
#include <optional>

// What the run remembers of players, so the services are not asked the same
// again: names to ids (names are not case-sensitive) and each profile's
// answer, the latter for a minute, since the session server refuses one
// profile asked again too soon. Both expire and both are few: a run may
// stay open for days, and each profile answer may be 64 KiB.
class PlayerIds final {
public:
    // How long a profile's answer stands.
    static constexpr qint64 kProfileMs = 60'000;
    // How long a name's id stands: a name a player gives up passes to
    // another after some weeks, so a long run looks it up again now and then,
    // while skin, cape and skin again of one player ask once.
    static constexpr qint64 kIdMs = 60 * 60'000;
    // How many names and how many profiles are kept, at most: more players
    // than anyone looks at in one sitting. The oldest goes first.
    static constexpr qsizetype kMostKept = 64;

    // `nowMs` is a monotonic clock in milliseconds; the run's own by default.
    explicit PlayerIds(std::function<qint64()> nowMs = {});

    QString Find(const QString& name) const;
    void Remember(const QString& name, const QString& id);
    // A name whose id has no profile is looked up afresh next time.
    void Forget(const QString& name) { ids_.remove(name.toLower()); }

    std::optional<HttpAnswer> Profile(const QString& id) const;
    void RememberProfile(const QString& id, const HttpAnswer& answer);

private:
    template <typename T> struct Kept {
        T value;
        qint64 keptAtMs;
    };
    template <typename T> using Memory = QHash<QString, Kept<T>>;

    // The value under `key` while younger than `lifetimeMs`.
    template <typename T>
    std::optional<T> Recall(const Memory<T>& memory, const QString& key, qint64 lifetimeMs) const;
    // Keeps `value` under `key`, dropping what has expired and, when full,
    // the oldest.
    template <typename T>
    void Keep(Memory<T>& memory, const QString& key, T value, qint64 lifetimeMs);

    std::function<qint64()> nowMs_;
    QElapsedTimer runClock_;
    Memory<QString> ids_;
    Memory<HttpAnswer> profiles_;
};
