#include "LegacyAddress.h"

#include "LegacyEndpoints.h"
#include "OldAddressShapes.h"

#include <optional>
#include <string_view>

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

QLatin1String Latin1(std::string_view text) {
    return QLatin1String(text.data(), static_cast<qsizetype>(text.size()));
}

// The reader's names for core's kinds and hosts, all in one place.
LegacyTarget TargetOf(SkinChoice choice) {
    switch (choice) {
    case SkinChoice::OfficialSkin:
        return LegacyTarget::OfficialSkin;
    case SkinChoice::OfficialCape:
        return LegacyTarget::OfficialCape;
    case SkinChoice::SkinmeSkin:
        return LegacyTarget::SkinmeSkin;
    case SkinChoice::SkinmeCape:
        return LegacyTarget::SkinmeCape;
    }
    return LegacyTarget::None;
}

LegacyTarget TargetOf(DownloadRoute route) {
    switch (route) {
    case DownloadRoute::OfficialStore:
        return LegacyTarget::StoreFile;
    case DownloadRoute::DomesticMirror:
        return LegacyTarget::MirrorFile;
    }
    return LegacyTarget::None;
}

const QString& HostOf(OldHost host, const LegacyEndpoints& endpoints) {
    switch (host) {
    case OldHost::OfficialSkin:
        return endpoints.officialSkinHost;
    case OldHost::Skinme:
        return endpoints.skinmeHost;
    case OldHost::Store:
        return endpoints.storeHost;
    case OldHost::Mirror:
        return endpoints.mirrorHost;
    }
    static const QString none;
    return none;
}

// The player's name in `rest`, the file name of `shape` with no further folder.
std::optional<QString> ImageName(const QString& rest, const OldFileName& file) {
    const QLatin1String prefix = Latin1(file.prefix);
    const QLatin1String suffix = Latin1(file.suffix);
    if (rest.size() < prefix.size() + suffix.size() || !rest.startsWith(prefix) ||
        !rest.endsWith(suffix) || rest.contains(QLatin1Char('/'))) {
        return std::nullopt;
    }
    return rest.sliced(prefix.size(), rest.size() - prefix.size() - suffix.size());
}

struct VersionPath {
    VersionFile file;
    QString encodedVersion;
};

// "<V>/" and then a file name of kOldVersionFiles around the same V: the
// length of the rest fixes the length of V, which may itself hold a "/".
std::optional<VersionPath> ReadVersionPath(const QString& rest) {
    const QLatin1String folderEnd = Latin1(kOldVersionFolderEnd);
    for (const OldVersionFile& shape : kOldVersionFiles) {
        const QLatin1String prefix = Latin1(shape.file.prefix);
        const QLatin1String suffix = Latin1(shape.file.suffix);
        const qsizetype fixed = folderEnd.size() + prefix.size() + suffix.size();
        if (rest.size() < fixed || (rest.size() - fixed) % 2 != 0) {
            continue;
        }
        const QString version = rest.left((rest.size() - fixed) / 2);
        if (rest == version + folderEnd + prefix + version + suffix) {
            // The lengths differ in parity or suffix, so one shape at most fits.
            return VersionPath{shape.kind, version};
        }
    }
    return std::nullopt;
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

    // On a skin server's host, only a skin or a cape is read.
    bool onSkinHost = false;
    for (const OldSkinShape& shape : kOldSkinShapes) {
        if (!OnHost(address, HostOf(shape.host, endpoints))) {
            continue;
        }
        onSkinHost = true;
        const QLatin1String folder = Latin1(shape.folder);
        if (!path.startsWith(folder)) {
            continue;
        }
        if (const auto name = ImageName(path.sliced(folder.size()), shape.file)) {
            read.target = TargetOf(shape.choice);
            read.name = *name;
        }
        return read;
    }
    if (onSkinHost) {
        return read;
    }

    for (const OldVersionFolder& shape : kOldVersionFolders) {
        const QLatin1String folder = Latin1(shape.folder);
        if (!OnHost(address, HostOf(shape.host, endpoints)) || !encodedPath.startsWith(folder)) {
            continue;
        }
        if (const auto file = ReadVersionPath(encodedPath.sliced(folder.size()))) {
            read.target = TargetOf(shape.route);
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
