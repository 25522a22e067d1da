#include "LegacyEndpoints.h"

QUrl LegacyEndpoints::At(const QString& host, const QString& path) const {
    return QUrl(scheme + QStringLiteral("://") + host + path, QUrl::StrictMode);
}

QUrl LegacyEndpoints::Manifest() const {
    return At(manifestHost, QStringLiteral("/mc/game/version_manifest_v2.json"));
}
