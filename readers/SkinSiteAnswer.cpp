#include "SkinSiteAnswer.h"

#include "AnswerJson.h"

#include <QJsonObject>
#include <QRegularExpression>

namespace {

const QString kSkinSiteMalformed = QStringLiteral("皮肤站的回答无法读取");

// An absent key is no texture; anything but a usable hash is a broken answer.
bool ReadHash(const QJsonValue& value, QString* hash) {
    if (value.isUndefined() || value.isNull()) {
        return true;
    }
    static const QRegularExpression plain(
        QRegularExpression::anchoredPattern(QStringLiteral("[0-9A-Za-z]{1,128}")));
    if (!value.isString() || !plain.match(value.toString()).hasMatch()) {
        return false;
    }
    *hash = value.toString();
    return true;
}

} // namespace

SkinSiteTextures ReadSkinSiteTextures(const QByteArray& answer) {
    const auto object = ReadJsonObject(answer);
    if (!object) {
        return {{}, false, {}, kSkinSiteMalformed};
    }
    SkinSiteTextures read;
    const QJsonValue skins = object->value(QLatin1String("skins"));
    if (!skins.isUndefined() && !skins.isNull() && !skins.isObject()) {
        return {{}, false, {}, kSkinSiteMalformed};
    }
    for (const QLatin1String model : {QLatin1String("default"), QLatin1String("slim")}) {
        QString hash;
        if (!ReadHash(skins.toObject().value(model), &hash)) {
            return {{}, false, {}, kSkinSiteMalformed};
        }
        if (read.skin.isEmpty() && !hash.isEmpty()) {
            read.skin = hash;
            read.slim = model == QLatin1String("slim");
        }
    }
    if (!ReadHash(object->value(QLatin1String("cape")), &read.cape)) {
        return {{}, false, {}, kSkinSiteMalformed};
    }
    return read;
}
