#include "VersionList.h"

#include "AnswerJson.h"

#include <QJsonArray>
#include <QSet>

#include <algorithm>

namespace {

VersionKind KindOf(const QJsonValue& type) {
    const QString text = type.toString();
    if (text == QLatin1String("release")) {
        return VersionKind::Release;
    }
    if (text == QLatin1String("snapshot")) {
        return VersionKind::Snapshot;
    }
    if (text == QLatin1String("old_beta")) {
        return VersionKind::OldBeta;
    }
    if (text == QLatin1String("old_alpha")) {
        return VersionKind::OldAlpha;
    }
    return VersionKind::Other;
}

bool BreaksTheId(QChar c) {
    switch (c.category()) {
    case QChar::Other_Control:
    case QChar::Other_Format:
    case QChar::Other_Surrogate:
    case QChar::Other_PrivateUse:
    case QChar::Other_NotAssigned:
    case QChar::Separator_Space:
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph:
        return true;
    default:
        return QStringLiteral("/\\?#%").contains(c);
    }
}

QDateTime ReadTime(const QJsonValue& value) {
    const QDateTime time = QDateTime::fromString(value.toString(), Qt::ISODate);
    return time.isValid() ? time.toUTC() : QDateTime();
}

} // namespace

bool IsListableVersionId(const QString& id) {
    if (id.isEmpty() || id.size() > 64 || id == QLatin1String(".") || id == QLatin1String("..")) {
        return false;
    }
    return std::none_of(id.begin(), id.end(), BreaksTheId);
}

VersionList ReadVersionList(const QByteArray& manifest) {
    VersionList list;
    const std::optional<QJsonObject> root = ReadJsonObject(manifest);
    if (!root) {
        return list;
    }
    const QJsonValue versions = root->value(QLatin1String("versions"));
    if (!versions.isArray()) {
        list.outcome = VersionList::Outcome::NotManifest;
        return list;
    }
    const QJsonObject latest = root->value(QLatin1String("latest")).toObject();
    const QString latestRelease = latest.value(QLatin1String("release")).toString();
    const QString latestSnapshot = latest.value(QLatin1String("snapshot")).toString();
    QSet<QString> seen;
    for (const QJsonValue& value : versions.toArray()) {
        const QJsonObject entry = value.toObject();
        const QString id = entry.value(QLatin1String("id")).toString();
        if (!IsListableVersionId(id) || seen.contains(id)) {
            ++list.leftOut;
            continue;
        }
        seen.insert(id);
        ListedVersion version{id, KindOf(entry.value(QLatin1String("type"))),
                              ReadTime(entry.value(QLatin1String("releaseTime"))), false};
        version.latest = (version.kind == VersionKind::Release && id == latestRelease) ||
                         (version.kind == VersionKind::Snapshot && id == latestSnapshot);
        list.versions.append(version);
    }
    // The manifest lists newest first today; sorting does not rely on it.
    std::stable_sort(list.versions.begin(), list.versions.end(),
                     [](const ListedVersion& a, const ListedVersion& b) {
                         if (a.released.isValid() != b.released.isValid()) {
                             return a.released.isValid();
                         }
                         return a.released > b.released;
                     });
    list.outcome =
        list.versions.isEmpty() ? VersionList::Outcome::NoneUsable : VersionList::Outcome::Listed;
    return list;
}
