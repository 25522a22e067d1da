#include "LegacyEndpoints.h"

QUrl LegacyEndpoints::At(const QString& host, const QString& path) const {
    return QUrl(scheme + QStringLiteral("://") + host + path, QUrl::StrictMode);
}
