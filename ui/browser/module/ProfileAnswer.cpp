#include "ProfileAnswer.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include <optional>
#include <utility>

namespace {

const QString kMalformed = QStringLiteral("服务器的回答无法读取");

std::optional<QJsonObject> ReadObject(const QByteArray& bytes) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject()) {
        return std::nullopt;
    }
    return document.object();
}

// An image address the pane may show: http or https, with a host.
QUrl WebAddress(const QJsonValue& value) {
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

} // namespace

PlayerLookup ReadPlayerLookup(const QByteArray& answer) {
    const auto object = ReadObject(answer);
    if (!object) {
        return {{}, kMalformed};
    }
    // The id goes into the next address, so it must be exactly a UUID.
    static const QRegularExpression uuid(QStringLiteral(
        "^[0-9a-fA-F]{8}-?[0-9a-fA-F]{4}-?[0-9a-fA-F]{4}-?[0-9a-fA-F]{4}-?[0-9a-fA-F]{12}$"));
    const QJsonValue id = object->value(QLatin1String("id"));
    if (!id.isString() || !uuid.match(id.toString()).hasMatch()) {
        return {{}, kMalformed};
    }
    return {id.toString().remove(QLatin1Char('-')).toLower(), {}};
}

PlayerTextures ReadPlayerTextures(const QByteArray& answer) {
    const auto profile = ReadObject(answer);
    if (!profile) {
        return {{}, {}, kMalformed};
    }
    const QJsonValue properties = profile->value(QLatin1String("properties"));
    if (!properties.isArray()) {
        return {{}, {}, kMalformed};
    }
    QJsonValue encoded;
    for (const QJsonValue& property : properties.toArray()) {
        if (property.toObject().value(QLatin1String("name")) == QLatin1String("textures")) {
            encoded = property.toObject().value(QLatin1String("value"));
            break;
        }
    }
    if (!encoded.isString()) {
        return {{}, {}, kMalformed};
    }
    const auto decoded = QByteArray::fromBase64Encoding(encoded.toString().toLatin1(),
                                                        QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded) {
        return {{}, {}, kMalformed};
    }
    const auto payload = ReadObject(*decoded);
    if (!payload || !payload->value(QLatin1String("textures")).isObject()) {
        return {{}, {}, kMalformed};
    }
    const QJsonObject textures = payload->value(QLatin1String("textures")).toObject();
    PlayerTextures read;
    // A player without a cape has no "CAPE"; one whose entry is there but
    // unusable has a broken answer.
    for (const auto& [key, into] : {std::pair{QLatin1String("SKIN"), &read.skin},
                                    std::pair{QLatin1String("CAPE"), &read.cape}}) {
        const QJsonValue entry = textures.value(key);
        if (entry.isUndefined()) {
            continue;
        }
        *into = WebAddress(entry.toObject().value(QLatin1String("url")));
        if (into->isEmpty()) {
            return {{}, {}, kMalformed};
        }
    }
    return read;
}

QUrl TextureAddressOver(const QUrl& texture, const QString& scheme) {
    QUrl shown = texture;
    if (scheme == QLatin1String("https") && texture.scheme() == QLatin1String("http")) {
        shown.setScheme(scheme);
        // An explicit :80 would now be wrong.
        if (shown.port() == 80) {
            shown.setPort(-1);
        }
    }
    return shown;
}
