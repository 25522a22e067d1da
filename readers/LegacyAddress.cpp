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

// What follows the host, query and fragment included: as the address writes
// it (escaped delimiters kept, for messages) and decoded (what it means).
struct Written {
    QString shown;
    QString decoded;
};

Written TailOf(const QUrl& address) {
    Written tail{address.toString(QUrl::RemoveScheme | QUrl::RemoveAuthority),
                 address.path(QUrl::FullyDecoded)};
    if (address.hasQuery()) {
        tail.decoded += QLatin1Char('?') + address.query(QUrl::FullyDecoded);
    }
    if (address.hasFragment()) {
        tail.decoded += QLatin1Char('#') + address.fragment(QUrl::FullyDecoded);
    }
    return tail;
}

// What follows `folder` in `tail`, in both forms; the caller has seen that
// the decoded one starts with it. An escaped "/" in the folder itself leaves
// nothing to show but the decoded form.
Written After(const Written& tail, QLatin1String folder) {
    const QString decoded = tail.decoded.sliced(folder.size());
    return {tail.shown.startsWith(folder) ? tail.shown.sliced(folder.size()) : decoded, decoded};
}

// The player's name in `rest`, the file name of `shape`.
std::optional<QString> ImageName(const QString& rest, const OldFileName& file) {
    const QLatin1String prefix = Latin1(file.prefix);
    const QLatin1String suffix = Latin1(file.suffix);
    if (rest.size() < prefix.size() + suffix.size() || !rest.startsWith(prefix) ||
        !rest.endsWith(suffix)) {
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

// Why `typed` (decoded; none when the shape did not fit) is no name or
// version to put into another address as one path segment.
LegacyOddity OddityOf(const QUrl& address, const std::optional<QString>& typed, bool version) {
    if (address.hasQuery()) {
        return LegacyOddity::Query;
    }
    if (address.hasFragment()) {
        return LegacyOddity::Fragment;
    }
    if (!typed) {
        return LegacyOddity::Shape;
    }
    if (typed->contains(QLatin1Char('/')) || typed->contains(QLatin1Char('\\'))) {
        return LegacyOddity::Slash;
    }
    if (*typed == QLatin1String(".") || *typed == QLatin1String("..")) {
        return LegacyOddity::DotSegment;
    }
    if (version && typed->isEmpty()) {
        return LegacyOddity::Empty;
    }
    return LegacyOddity::None;
}

std::optional<QString> VersionIn(const QString& rest) {
    const auto path = ReadVersionPath(rest);
    return path ? std::optional(path->encodedVersion) : std::nullopt;
}

} // namespace

LegacyAddress ReadLegacyAddress(const QUrl& address, const LegacyEndpoints& endpoints) {
    LegacyAddress read;
    // An invalid address still has a host and a path, but no port to go by.
    if (!address.isValid() || !IsWeb(address) || address.host().isEmpty()) {
        return read;
    }
    const Written tail = TailOf(address);

    // On a skin server's host, only a skin or a cape is read.
    bool onSkinHost = false;
    for (const OldSkinShape& shape : kOldSkinShapes) {
        if (!OnHost(address, HostOf(shape.host, endpoints))) {
            continue;
        }
        onSkinHost = true;
        const QLatin1String folder = Latin1(shape.folder);
        if (!tail.decoded.startsWith(folder)) {
            continue;
        }
        const Written rest = After(tail, folder);
        const auto name = ImageName(rest.decoded, shape.file);
        read.oddity = OddityOf(address, name, false);
        if (read.oddity == LegacyOddity::None) {
            read.target = TargetOf(shape.choice);
            read.name = *name;
        } else {
            read.target = LegacyTarget::OddPlayer;
            read.name = ImageName(rest.shown, shape.file).value_or(rest.shown);
        }
        return read;
    }
    if (onSkinHost) {
        return read;
    }

    for (const OldVersionFolder& shape : kOldVersionFolders) {
        const QLatin1String folder = Latin1(shape.folder);
        if (!OnHost(address, HostOf(shape.host, endpoints)) || !tail.decoded.startsWith(folder)) {
            continue;
        }
        const Written rest = After(tail, folder);
        read.oddity = OddityOf(address, VersionIn(rest.decoded), true);
        // Kept as encoded too, to reach the mirror as the page wrote it.
        const QString encodedPath = address.path(QUrl::FullyEncoded);
        const auto file = read.oddity == LegacyOddity::None && encodedPath.startsWith(folder)
                              ? ReadVersionPath(encodedPath.sliced(folder.size()))
                              : std::nullopt;
        if (file) {
            read.target = TargetOf(shape.route);
            read.file = file->file;
            read.encodedVersion = file->encodedVersion;
            read.version = QUrl::fromPercentEncoding(file->encodedVersion.toUtf8());
        } else {
            read.target = LegacyTarget::OddVersion;
            if (read.oddity == LegacyOddity::None) {
                read.oddity = LegacyOddity::Shape;
            }
            read.version = VersionIn(rest.shown).value_or(rest.shown);
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
