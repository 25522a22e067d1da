// The reader of old addresses on any address a page can navigate to, against
// the configured hosts (Skinme's among them): it only takes an http or https
// address on the host of its kind, with no query or fragment, whose path is exactly the old shape
// around what it read, a name or version that is one plain path segment;
// what it calls odd is on an old host with a reason; and where the mirror
// keeps a file is an address on the configured mirror host with the
// configured scheme, with the version as written in one segment, which is
// not an old address again.
//
// Input: the address as text.
#include "AnswerChecks.h"
#include "ConfiguredHosts.h"
#include "LegacyAddress.h"
#include "LegacyEndpoints.h"

#include <cstdint>

namespace {

QString Host(std::string_view configured) {
    return QString::fromUtf8(configured.data(), static_cast<qsizetype>(configured.size()));
}

// The configured hosts carry no port, so the scheme's own is the one.
bool OnHost(const QUrl& address, std::string_view host) {
    const int defaultPort = address.scheme() == QLatin1String("https") ? 443 : 80;
    return address.host().compare(Host(host), Qt::CaseInsensitive) == 0 &&
           address.port(defaultPort) == defaultPort;
}

// The path the old address must have had for the reader to read `read`.
QString OldPath(const LegacyAddress& read) {
    const QString& v = read.encodedVersion;
    const QString base = read.target == LegacyTarget::StoreFile
                             ? QStringLiteral("/Minecraft.Download/")
                             : QStringLiteral("/versions/");
    switch (read.file) {
    case VersionFile::ClientJar:
        return base + v + '/' + v + ".jar";
    case VersionFile::VersionJson:
        return base + v + '/' + v + ".json";
    case VersionFile::ServerJar:
        return base + v + "/minecraft_server." + v + ".jar";
    }
    return {};
}

// Goes into another address as one path segment, whatever resolves it.
bool IsPlainSegment(const QString& text) {
    return !text.contains('/') && !text.contains('\\') && text != QLatin1String(".") &&
           text != QLatin1String("..");
}

void CheckMirrorAddress(const LegacyAddress& read, const LegacyEndpoints& endpoints) {
    const QUrl mirror = MirrorAddress(read, endpoints);
    FUZZ_CHECK(IsWebAddress(mirror));
    FUZZ_CHECK(mirror.scheme() == endpoints.scheme && OnHost(mirror, kMirrorHost));
    FUZZ_CHECK(!mirror.hasQuery() && !mirror.hasFragment());
    // The version reaches the mirror as the page wrote it, escapes and all.
    FUZZ_CHECK(mirror.path(QUrl::FullyEncoded)
                   .startsWith(QStringLiteral("/version/") + read.encodedVersion + '/'));
    FUZZ_CHECK(mirror.path(QUrl::FullyDecoded).count('/') == 3);
    FUZZ_CHECK(ReadLegacyAddress(mirror, endpoints).target == LegacyTarget::None);
}

LegacyEndpoints ConfiguredEndpoints() {
    LegacyEndpoints endpoints;
    endpoints.officialSkinHost = Host(kOfficialSkinHost);
    endpoints.skinmeHost = Host(kSkinmeHost);
    endpoints.storeHost = Host(kStoreHost);
    endpoints.mirrorHost = Host(kMirrorHost);
    return endpoints;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const LegacyEndpoints endpoints = ConfiguredEndpoints();
    const QUrl address(
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));

    const LegacyAddress read = ReadLegacyAddress(address, endpoints);
    if (read.target == LegacyTarget::None) {
        return 0;
    }
    const bool odd =
        read.target == LegacyTarget::OddPlayer || read.target == LegacyTarget::OddVersion;
    FUZZ_CHECK(odd == (read.oddity != LegacyOddity::None));
    FUZZ_CHECK(IsWebAddress(address) && (odd || (!address.hasQuery() && !address.hasFragment())));
    switch (read.target) {
    case LegacyTarget::None:
        break;
    case LegacyTarget::OddPlayer:
        FUZZ_CHECK(OnHost(address, kOfficialSkinHost) || OnHost(address, kSkinmeHost));
        break;
    case LegacyTarget::OddVersion:
        FUZZ_CHECK(OnHost(address, kStoreHost) || OnHost(address, kMirrorHost));
        break;
    case LegacyTarget::OfficialSkin:
    case LegacyTarget::OfficialCape:
    case LegacyTarget::SkinmeSkin:
    case LegacyTarget::SkinmeCape: {
        const bool official =
            read.target == LegacyTarget::OfficialSkin || read.target == LegacyTarget::OfficialCape;
        const bool skin =
            read.target == LegacyTarget::OfficialSkin || read.target == LegacyTarget::SkinmeSkin;
        FUZZ_CHECK(OnHost(address, official ? kOfficialSkinHost : kSkinmeHost));
        FUZZ_CHECK(IsPlainSegment(read.name));
        FUZZ_CHECK(address.path(QUrl::FullyDecoded) ==
                   (skin ? "/MinecraftSkins/" : "/MinecraftCloaks/") + read.name + ".png");
        break;
    }
    case LegacyTarget::StoreFile:
    case LegacyTarget::MirrorFile:
        FUZZ_CHECK(
            OnHost(address, read.target == LegacyTarget::StoreFile ? kStoreHost : kMirrorHost));
        FUZZ_CHECK(address.path(QUrl::FullyEncoded) == OldPath(read));
        FUZZ_CHECK(read.version == QUrl::fromPercentEncoding(read.encodedVersion.toUtf8()));
        FUZZ_CHECK(IsPlainSegment(read.version) && !read.version.isEmpty());
        if (read.target == LegacyTarget::MirrorFile) {
            CheckMirrorAddress(read, endpoints);
            LegacyAddress description = read;
            description.file = VersionFile::VersionJson;
            CheckMirrorAddress(description, endpoints);
        }
        break;
    }
    return 0;
}
