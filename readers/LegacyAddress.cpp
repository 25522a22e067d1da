#include "LegacyAddress.h"

#include "LegacyEndpoints.h"

#include <optional>
#include <tuple>
#include <utility>

namespace {

bool IsWeb(const QUrl& url) {
    const QString scheme = url.scheme();
    return scheme == QLatin1String("http") || scheme == QLatin1String("https");
}

// A configured "host[:port]" against the address's own; no port on either
// side means the scheme's default one.
bool OnHost(const QUrl& address, const QString& configured) {
    const QUrl host(address.scheme() + QStringLiteral("://") + configured + QLatin1Char('/'),
                    QUrl::StrictMode);
    if (configured.isEmpty() || !host.isValid() || host.host().isEmpty()) {
        return false;
    }
    const int defaultPort = address.scheme() == QLatin1String("https") ? 443 : 80;
    return address.host().compare(host.host(), Qt::CaseInsensitive) == 0 &&
           address.port(defaultPort) == host.port(defaultPort);
}

// "<name>.png" with no further folder.
std::optional<QString> ImageName(const QString& rest) {
    if (!rest.endsWith(QLatin1String(".png")) || rest.contains(QLatin1Char('/'))) {
        return std::nullopt;
    }
    return rest.chopped(4);
}

struct VersionPath {
    VersionFile file;
    QString encodedVersion;
};

// "<V>/<V>.jar", "<V>/<V>.json" or "<V>/minecraft_server.<V>.jar": the
// length of the rest fixes the length of V, which may itself hold a "/".
std::optional<VersionPath> ReadVersionPath(const QString& rest) {
    struct Shape {
        VersionFile file;
        QLatin1String middle;
        QLatin1String suffix;
    };
    const Shape shapes[] = {
        {VersionFile::ClientJar, QLatin1String("/"), QLatin1String(".jar")},
        {VersionFile::VersionJson, QLatin1String("/"), QLatin1String(".json")},
        {VersionFile::ServerJar, QLatin1String("/minecraft_server."), QLatin1String(".jar")},
    };
    std::optional<VersionPath> found;
    for (const Shape& shape : shapes) {
        const qsizetype fixed = shape.middle.size() + shape.suffix.size();
        if (rest.size() < fixed || (rest.size() - fixed) % 2 != 0) {
            continue;
        }
        const QString version = rest.left((rest.size() - fixed) / 2);
        if (rest == version + shape.middle + version + shape.suffix) {
            // The lengths differ in parity or suffix, so one shape at most fits.
            found = VersionPath{shape.file, version};
            break;
        }
    }
    return found;
}

} // namespace

LegacyAddress ReadLegacyAddress(const QUrl& address, const LegacyEndpoints& endpoints) {
    LegacyAddress read;
    // An invalid address still has a host and a path, but no port to go by.
    if (!address.isValid() || !IsWeb(address) || address.host().isEmpty() || address.hasQuery() ||
        address.hasFragment()) {
        return read;
    }
    const QString encodedPath = address.path(QUrl::FullyEncoded);
    const QString path = address.path(QUrl::FullyDecoded);

    for (const auto& [host, skin, cape] :
         {std::tuple{endpoints.officialSkinHost, LegacyTarget::OfficialSkin,
                     LegacyTarget::OfficialCape},
          std::tuple{endpoints.skinmeHost, LegacyTarget::SkinmeSkin, LegacyTarget::SkinmeCape}}) {
        if (!OnHost(address, host)) {
            continue;
        }
        const QLatin1String skins("/MinecraftSkins/");
        const QLatin1String capes("/MinecraftCloaks/");
        for (const auto& [prefix, target] : {std::pair{skins, skin}, std::pair{capes, cape}}) {
            if (!path.startsWith(prefix)) {
                continue;
            }
            if (const auto name = ImageName(path.mid(prefix.size()))) {
                read.target = target;
                read.name = *name;
            }
            return read;
        }
        return read;
    }

    const QLatin1String storePrefix("/Minecraft.Download/");
    const QLatin1String mirrorPrefix("/versions/");
    for (const auto& [host, prefix, target] :
         {std::tuple{endpoints.storeHost, storePrefix, LegacyTarget::StoreFile},
          std::tuple{endpoints.mirrorHost, mirrorPrefix, LegacyTarget::MirrorFile}}) {
        if (!OnHost(address, host) || !encodedPath.startsWith(prefix)) {
            continue;
        }
        if (const auto file = ReadVersionPath(encodedPath.mid(prefix.size()))) {
            read.target = target;
            read.file = file->file;
            read.encodedVersion = file->encodedVersion;
            read.version = QUrl::fromPercentEncoding(file->encodedVersion.toUtf8());
        }
        return read;
    }
    return read;
}

QUrl MirrorAddress(const LegacyAddress& file, const LegacyEndpoints& endpoints) {
    QString leaf;
    switch (file.file) {
    case VersionFile::ClientJar:
        leaf = QStringLiteral("client");
        break;
    case VersionFile::VersionJson:
        leaf = QStringLiteral("json");
        break;
    case VersionFile::ServerJar:
        leaf = QStringLiteral("server");
        break;
    }
    return endpoints.At(endpoints.mirrorHost, QStringLiteral("/version/") + file.encodedVersion +
                                                  QLatin1Char('/') + leaf);
}

QString DownloadKey(VersionFile file) {
    return file == VersionFile::ServerJar ? QStringLiteral("server") : QStringLiteral("client");
}
