#pragma once

#include "HttpAnswer.h"

#include <QElapsedTimer>
#include <QHash>
#include <QString>

#include <functional>
#include <optional>

// What the run remembers of players, so the services are not asked the same
// again: names to ids for the whole run (names are not case-sensitive), and
// each profile's answer for a minute, since the session server refuses one
// profile asked again too soon.
class PlayerIds final {
public:
    // How long a profile's answer stands.
    static constexpr qint64 kProfileMs = 60'000;

    // `nowMs` is a monotonic clock in milliseconds; the run's own by default.
    explicit PlayerIds(std::function<qint64()> nowMs = {});

    QString Find(const QString& name) const { return ids_.value(name.toLower()); }
    void Remember(const QString& name, const QString& id) { ids_.insert(name.toLower(), id); }
    // A name whose id has no profile is looked up afresh next time.
    void Forget(const QString& name) { ids_.remove(name.toLower()); }

    std::optional<HttpAnswer> Profile(const QString& id) const;
    void RememberProfile(const QString& id, const HttpAnswer& answer);

private:
    struct KeptProfile {
        HttpAnswer answer;
        qint64 keptAtMs;
    };

    std::function<qint64()> nowMs_;
    QElapsedTimer runClock_;
    QHash<QString, QString> ids_;
    QHash<QString, KeptProfile> profiles_;
};
