#include "VersionAnswer.h"

#include "AnswerJson.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cctype>

namespace {

// Absent is fine; present must be a SHA-1.
bool ReadSha1(const QJsonObject& object, QByteArray* sha1) {
    const QJsonValue value = object.value(QLatin1String("sha1"));
    if (value.isUndefined()) {
        return true;
    }
    *sha1 = value.toString().toLatin1().toLower();
    return value.isString() && IsSha1Hex(*sha1);
}

// Absent is fine; present must be a whole number of bytes that a file can
// have, up to 2^53, past which JSON numbers are not exact everywhere. Read as
// an integer: through a double, 2^53 + 1 would round to 2^53 and pass.
bool ReadSize(const QJsonObject& object, qint64* size) {
    const QJsonValue value = object.value(QLatin1String("size"));
    if (value.isUndefined()) {
        return true;
    }
    const qint64 number = value.toInteger(-1);
    if (!value.isDouble() || number < 0 || number > (qint64(1) << 53)) {
        return false;
    }
    *size = number;
    return true;
}

} // namespace

bool IsSha1Hex(const QByteArray& text) {
    if (text.size() != 40) {
        return false;
    }
    for (const char c : text) {
        if (!std::isxdigit(static_cast<unsigned char>(c))) {
            return false;
        }
    }
    return true;
}

ManifestEntry FindInManifest(const QByteArray& manifest, const QString& version) {
    const std::optional<QJsonObject> parsed = ReadJsonObject(manifest);
    const bool ok = parsed.has_value();
    const QJsonObject root = parsed.value_or(QJsonObject());
    const QJsonValue versions = root.value(QLatin1String("versions"));
    if (!ok || !versions.isArray()) {
        return {};
    }
    for (const QJsonValue& value : versions.toArray()) {
        const QJsonObject entry = value.toObject();
        if (entry.value(QLatin1String("id")) != version) {
            continue;
        }
        ManifestEntry found;
        found.url = ReadWebAddress(entry.value(QLatin1String("url")));
        if (found.url.isEmpty() || !ReadSha1(entry, &found.identity.sha1)) {
            return {};
        }
        found.outcome = ManifestEntry::Outcome::Found;
        return found;
    }
    return {ManifestEntry::Outcome::Unknown, {}, {}};
}

VersionDownload FindDownload(const QByteArray& versionJson, const QString& key) {
    const std::optional<QJsonObject> parsed = ReadJsonObject(versionJson);
    const bool ok = parsed.has_value();
    const QJsonObject root = parsed.value_or(QJsonObject());
    const QJsonValue downloads = root.value(QLatin1String("downloads"));
    if (!ok || !(downloads.isObject() || downloads.isUndefined())) {
        return {};
    }
    // Versions before the server jar was published have no entry for it.
    const QJsonValue file = downloads.toObject().value(key);
    if (file.isUndefined()) {
        return {VersionDownload::Outcome::Missing, {}, {}};
    }
    VersionDownload found;
    const QJsonObject entry = file.toObject();
    found.url = ReadWebAddress(entry.value(QLatin1String("url")));
    if (!file.isObject() || found.url.isEmpty() || !ReadSha1(entry, &found.identity.sha1) ||
        !ReadSize(entry, &found.identity.size)) {
        return {};
    }
    found.outcome = VersionDownload::Outcome::Found;
    return found;
}
