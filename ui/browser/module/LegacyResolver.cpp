#include "LegacyResolver.h"

#include "LateCheck.h"
#include "ProfileAnswer.h"
#include "VersionAnswer.h"

#include <QCryptographicHash>
#include <QHash>
#include <QNetworkReply>

namespace {

// Player names to ids, for this run only. Names are not case-sensitive.
QHash<QString, QString>& KnownPlayers() {
    static QHash<QString, QString> known;
    return known;
}

QString FileKey(VersionFile file) {
    return file == VersionFile::ServerJar ? QStringLiteral("server") : QStringLiteral("client");
}

// What the official list says the version's description must hash to.
LateCheck::Verdict ReadManifestCheck(const HttpAnswer& answer, const QString& version) {
    if (!answer.failure.isEmpty() || answer.status != 200) {
        return {{}, -1, DescribeFailure(answer)};
    }
    const ManifestEntry entry = FindInManifest(answer.body, version);
    switch (entry.outcome) {
    case ManifestEntry::Outcome::Found:
        return {entry.sha1, -1, {}};
    case ManifestEntry::Outcome::Unknown:
        return {{}, -1, QStringLiteral("官方版本列表中没有这个版本")};
    case ManifestEntry::Outcome::Malformed:
        break;
    }
    return {{}, -1, QStringLiteral("%1 的版本列表无法读取").arg(answer.host)};
}

// What a version's description says one of its files must hash to.
LateCheck::Verdict ReadDescriptionCheck(const HttpAnswer& answer, const QString& key) {
    if (!answer.failure.isEmpty() || answer.status != 200) {
        return {{}, -1, DescribeFailure(answer)};
    }
    const VersionDownload download = FindDownload(answer.body, key);
    switch (download.outcome) {
    case VersionDownload::Outcome::Found:
        return {download.sha1, download.size, {}};
    case VersionDownload::Outcome::Missing:
        return {{}, -1, QStringLiteral("%1 的版本描述中没有这个文件").arg(answer.host)};
    case VersionDownload::Outcome::Malformed:
        break;
    }
    return {{}, -1, QStringLiteral("%1 的版本描述无法读取").arg(answer.host)};
}

// The official list of versions, asked for the store's files and for the
// mirror's descriptions.
QUrl ManifestAt(const LegacyEndpoints& endpoints) {
    return endpoints.At(endpoints.manifestHost,
                        QStringLiteral("/mc/game/version_manifest_v2.json"));
}

bool SaysNoSuchPlayer(int status) {
    // 204: the old look-up's "nobody by that name"; 400: not a valid name.
    return status == 204 || status == 400 || status == 404;
}

} // namespace

LegacyResolver::LegacyResolver(LegacyEndpoints endpoints, QObject* parent)
    : QObject(parent)
    , endpoints_(std::move(endpoints)) {
    // Nothing is kept: no cache, and cookies stay in this object's memory.
    network_.setCache(nullptr);
    network_.setStrictTransportSecurityEnabled(false);
}

void LegacyResolver::Cancel() {
    ++generation_;
    if (reply_ != nullptr) {
        reply_->abort();
    }
}

void LegacyResolver::Start(const QUrl& address, const LegacyAddress& legacy) {
    Cancel();
    switch (legacy.target) {
    case LegacyTarget::None:
        return;
    case LegacyTarget::OfficialSkin:
    case LegacyTarget::OfficialCape:
        ResolvePlayer(legacy.name, legacy.target == LegacyTarget::OfficialCape);
        return;
    case LegacyTarget::StoreFile:
        ResolveStore(address, legacy);
        return;
    case LegacyTarget::MirrorFile:
        ResolveMirror(address, legacy);
        return;
    }
}

void LegacyResolver::Get(const QUrl& url, Then then) {
    const quint64 generation = generation_;
    reply_ = GetBounded(network_, url, endpoints_.timeoutMs, this,
                        [this, generation, then = std::move(then)](const HttpAnswer& answer) {
                            if (generation != generation_) {
                                return;
                            }
                            reply_ = nullptr;
                            then(answer);
                        });
}

void LegacyResolver::ResolvePlayer(const QString& name, bool cape) {
    if (name.isEmpty()) {
        Q_EMIT Failed(QStringLiteral("没有输入玩家名"), QStringLiteral("请输入正版玩家的名字。"));
        return;
    }
    const auto known = KnownPlayers().constFind(name.toLower());
    if (known != KnownPlayers().constEnd()) {
        ShowTexture(name, *known, cape);
        return;
    }
    LookUpWithFallback(
        name,
        [this, name, cape](const QString& id) {
            KnownPlayers().insert(name.toLower(), id);
            ShowTexture(name, id, cape);
        },
        [this, name](bool unknown, const QString& reason) {
            if (unknown) {
                Q_EMIT Failed(QStringLiteral("找不到正版玩家「%1」").arg(name),
                              QStringLiteral("没有叫这个名字的正版玩家，请检查拼写。"));
            } else {
                Q_EMIT Failed(QStringLiteral("无法查询正版玩家「%1」").arg(name), reason);
            }
        });
}

// The current look-up first; the older one answers the same way and stands in
// when the first fails for any reason.
void LegacyResolver::LookUpWithFallback(
    const QString& name, std::function<void(const QString& id)> then,
    std::function<void(bool unknown, const QString& reason)> fail) {
    const QString segment = QString::fromLatin1(QUrl::toPercentEncoding(name));
    const QUrl first = endpoints_.At(endpoints_.lookupHost,
                                     QStringLiteral("/minecraft/profile/lookup/name/") + segment);
    const QUrl second = endpoints_.At(endpoints_.fallbackLookupHost,
                                      QStringLiteral("/users/profiles/minecraft/") + segment);
    const auto read = [](const HttpAnswer& answer, QString* id, QString* reason) {
        if (answer.failure.isEmpty() && answer.status == 200) {
            const PlayerLookup lookup = ReadPlayerLookup(answer.body);
            *id = lookup.id;
            *reason = lookup.problem.isEmpty()
                          ? QString()
                          : QStringLiteral("%1：%2").arg(answer.host, lookup.problem);
            return;
        }
        *reason = DescribeFailure(answer);
    };
    Get(first, [this, second, then, fail, read](const HttpAnswer& firstAnswer) {
        QString id;
        QString firstReason;
        read(firstAnswer, &id, &firstReason);
        if (!id.isEmpty()) {
            then(id);
            return;
        }
        const bool firstUnknown =
            firstAnswer.failure.isEmpty() && SaysNoSuchPlayer(firstAnswer.status);
        Get(second, [then, fail, read, firstUnknown, firstReason](const HttpAnswer& secondAnswer) {
            QString secondId;
            QString secondReason;
            read(secondAnswer, &secondId, &secondReason);
            if (!secondId.isEmpty()) {
                then(secondId);
                return;
            }
            const bool secondUnknown =
                secondAnswer.failure.isEmpty() && SaysNoSuchPlayer(secondAnswer.status);
            fail(firstUnknown || secondUnknown,
                 QStringLiteral("%1；%2").arg(firstReason, secondReason));
        });
    });
}

void LegacyResolver::ShowTexture(const QString& name, const QString& id, bool cape) {
    const QUrl profile =
        endpoints_.At(endpoints_.sessionHost, QStringLiteral("/session/minecraft/profile/") + id);
    Get(profile, [this, name, cape](const HttpAnswer& answer) {
        const QString failedHeading = QStringLiteral("无法取得玩家「%1」的资料").arg(name);
        if (answer.failure.isEmpty() && SaysNoSuchPlayer(answer.status)) {
            Q_EMIT Failed(QStringLiteral("找不到正版玩家「%1」").arg(name),
                          QStringLiteral("%1 没有这个玩家的资料。").arg(answer.host));
            return;
        }
        if (!answer.failure.isEmpty() || answer.status != 200) {
            Q_EMIT Failed(failedHeading, DescribeFailure(answer));
            return;
        }
        const PlayerTextures textures = ReadPlayerTextures(answer.body);
        if (!textures.problem.isEmpty()) {
            Q_EMIT Failed(failedHeading,
                          QStringLiteral("%1：%2").arg(answer.host, textures.problem));
            return;
        }
        const QUrl image = cape ? textures.cape : textures.skin;
        if (image.isEmpty()) {
            Q_EMIT Failed(cape ? QStringLiteral("玩家「%1」没有披风").arg(name)
                               : QStringLiteral("玩家「%1」没有自定义皮肤").arg(name),
                          cape ? QStringLiteral("这个正版玩家没有可显示的披风。")
                               : QStringLiteral("这个正版玩家使用默认皮肤。"));
            return;
        }
        Q_EMIT ImageFound(TextureAddressOver(image, endpoints_.scheme));
    });
}

void LegacyResolver::FindOfficial(const LegacyAddress& legacy, Found found, NotFound notFound) {
    const QUrl manifest = ManifestAt(endpoints_);
    const QString version = legacy.version;
    const QString failedHeading = QStringLiteral("无法查询官方版本「%1」").arg(version);
    Get(manifest,
        [this, legacy, found, notFound, version, failedHeading](const HttpAnswer& answer) {
            if (!answer.failure.isEmpty() || answer.status != 200) {
                notFound(failedHeading, DescribeFailure(answer));
                return;
            }
            const ManifestEntry entry = FindInManifest(answer.body, version);
            if (entry.outcome == ManifestEntry::Outcome::Unknown) {
                notFound(QStringLiteral("找不到版本「%1」").arg(version),
                         QStringLiteral("官方版本列表中没有这个版本，请检查版本号。"));
                return;
            }
            if (entry.outcome == ManifestEntry::Outcome::Malformed) {
                notFound(failedHeading, QStringLiteral("%1 的版本列表无法读取").arg(answer.host));
                return;
            }
            if (legacy.file == VersionFile::VersionJson) {
                found(entry.url, entry.sha1, -1);
                return;
            }
            Get(entry.url, [this, legacy, found, notFound, version, failedHeading,
                            entry](const HttpAnswer& json) {
                if (!json.failure.isEmpty() || json.status != 200) {
                    notFound(failedHeading, DescribeFailure(json));
                    return;
                }
                if (!entry.sha1.isEmpty() &&
                    QCryptographicHash::hash(json.body, QCryptographicHash::Sha1).toHex() !=
                        entry.sha1) {
                    notFound(failedHeading,
                             QStringLiteral("%1 的版本描述与版本列表的校验值不符").arg(json.host));
                    return;
                }
                const VersionDownload download = FindDownload(json.body, FileKey(legacy.file));
                switch (download.outcome) {
                case VersionDownload::Outcome::Found:
                    found(download.url, download.sha1, download.size);
                    return;
                case VersionDownload::Outcome::Missing:
                    notFound(legacy.file == VersionFile::ServerJar
                                 ? QStringLiteral("版本「%1」没有服务端").arg(version)
                                 : QStringLiteral("版本「%1」没有客户端文件").arg(version),
                             QStringLiteral("官方没有为这个版本发布这个文件。"));
                    return;
                case VersionDownload::Outcome::Malformed:
                    notFound(failedHeading, QStringLiteral("%1 的版本描述无法读取").arg(json.host));
                    return;
                }
            });
        });
}

void LegacyResolver::ResolveStore(const QUrl& address, const LegacyAddress& legacy) {
    const bool showFirst = legacy.file == VersionFile::VersionJson;
    FindOfficial(
        legacy,
        [this, showFirst, name = address.fileName()](const QUrl& file, const QByteArray& sha1,
                                                     qint64 size) {
            DownloadExpectation expected;
            expected.fileName = name;
            expected.sha1 = sha1;
            expected.size = size;
            Q_EMIT FileFound(file, showFirst, expected);
        },
        [this](const QString& heading, const QString& detail) { Q_EMIT Failed(heading, detail); });
}

// The mirror's file is offered at once; what it must hash to is asked beside
// the download: of the mirror's own description of the version for a jar,
// and of the official list for that description itself. People take the
// mirror when the servers abroad are slow or out of reach, so only the
// mirror's own answer may hold up the end of a download.
void LegacyResolver::ResolveMirror(const QUrl& address, const LegacyAddress& legacy) {
    const QUrl mirror = MirrorAddress(address, legacy);
    DownloadExpectation expected;
    expected.source = QStringLiteral("BMCLAPI 镜像 %1").arg(mirror.authority());
    expected.fileName = address.fileName();
    if (legacy.file == VersionFile::VersionJson) {
        expected.late = LateCheck::Ask(ManifestAt(endpoints_), QStringLiteral("官方版本列表"),
                                       false, endpoints_.timeoutMs,
                                       [version = legacy.version](const HttpAnswer& answer) {
                                           return ReadManifestCheck(answer, version);
                                       });
        Q_EMIT FileFound(mirror, true, expected);
        return;
    }
    LegacyAddress description = legacy;
    description.file = VersionFile::VersionJson;
    expected.late = LateCheck::Ask(MirrorAddress(address, description),
                                   QStringLiteral("镜像的版本描述"), true, endpoints_.timeoutMs,
                                   [key = FileKey(legacy.file)](const HttpAnswer& answer) {
                                       return ReadDescriptionCheck(answer, key);
                                   });
    Q_EMIT FileFound(mirror, false, expected);
}
