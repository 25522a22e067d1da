#include "AnswerJson.h"

#include <QJsonDocument>

std::optional<QJsonObject> ReadJsonObject(const QByteArray& bytes) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject()) {
        return std::nullopt;
    }
    return document.object();
}

QUrl ReadWebAddress(const QJsonValue& value) {
    if (!value.isString()) {
        return {};
    }
    const QUrl url(value.toString(), QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || url.host().isEmpty() ||
        (scheme != QLatin1String("http") && scheme != QLatin1String("https"))) {
        return {};
    }
    return url;
}

QUrl AddressOver(const QUrl& address, const QString& scheme) {
    QUrl over = address;
    if (scheme == QLatin1String("https") && address.scheme() == QLatin1String("http")) {
        over.setScheme(scheme);
        if (over.port() == 80) {
            over.setPort(-1);
        }
    }
    return over;
}
