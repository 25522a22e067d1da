#include "ProfileAnswer.h"

#include "AnswerJson.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include <optional>
#include <utility>

namespace {

const QString kMalformed = QStringLiteral("服务器的回答无法读取");

PlayerTextures Unreadable() {
    PlayerTextures read;
    read.problem = kMalformed;
    return read;
}

} // namespace

PlayerLookup ReadPlayerLookup(const QByteArray& answer) {
    const auto object = ReadJsonObject(answer);
    if (!object) {
        return {{}, kMalformed};
    }
    // The id goes into the next address, so it must be exactly a UUID. The
    // anchors are \A and \z: "$" would let a line feed through at the end.
    static const QRegularExpression uuid(QRegularExpression::anchoredPattern(QStringLiteral(
        "[0-9a-fA-F]{8}-?[0-9a-fA-F]{4}-?[0-9a-fA-F]{4}-?[0-9a-fA-F]{4}-?[0-9a-fA-F]{12}")));
    const QJsonValue id = object->value(QLatin1String("id"));
    if (!id.isString() || !uuid.match(id.toString()).hasMatch()) {
        return {{}, kMalformed};
    }
    return {id.toString().remove(QLatin1Char('-')).toLower(), {}};
}

QString TypedPlayerUuid(const QString& typed) {
    static const QRegularExpression uuid(QRegularExpression::anchoredPattern(
        QStringLiteral("[0-9a-fA-F]{32}|[0-9a-fA-F]{8}-[0-9a-fA-F]{4}-[0-9a-fA-F]{4}-"
                       "[0-9a-fA-F]{4}-[0-9a-fA-F]{12}")));
    return uuid.match(typed).hasMatch() ? QString(typed).remove(QLatin1Char('-')).toLower()
                                        : QString();
}

PlayerTextures ReadPlayerTextures(const QByteArray& answer) {
    const auto profile = ReadJsonObject(answer);
    if (!profile) {
        return Unreadable();
    }
    const QJsonValue properties = profile->value(QLatin1String("properties"));
    if (!properties.isArray()) {
        return Unreadable();
    }
    QJsonValue encoded;
    for (const QJsonValue& property : properties.toArray()) {
        if (property.toObject().value(QLatin1String("name")) == QLatin1String("textures")) {
            encoded = property.toObject().value(QLatin1String("value"));
            break;
        }
    }
    if (!encoded.isString()) {
        return Unreadable();
    }
    const auto decoded = QByteArray::fromBase64Encoding(encoded.toString().toLatin1(),
                                                        QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded) {
        return Unreadable();
    }
    const auto payload = ReadJsonObject(*decoded);
    if (!payload || !payload->value(QLatin1String("textures")).isObject()) {
        return Unreadable();
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
        *into = ReadWebAddress(entry.toObject().value(QLatin1String("url")));
        if (into->isEmpty()) {
            return Unreadable();
        }
    }
    read.slim = textures.value(QLatin1String("SKIN"))
                    .toObject()
                    .value(QLatin1String("metadata"))
                    .toObject()
                    .value(QLatin1String("model")) == QLatin1String("slim");
    static const QRegularExpression playerName(
        QRegularExpression::anchoredPattern(QStringLiteral("[A-Za-z0-9_]{1,16}")));
    const QString name = profile->value(QLatin1String("name")).toString();
    if (playerName.match(name).hasMatch()) {
        read.name = name;
    }
    return read;
}
