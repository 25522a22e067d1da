#include "VersionFileAddress.h"

#include "ConfiguredHosts.h"
#include "HttpBase.h"

namespace {

const std::string& BaseFor(DownloadRoute route, const VersionFileBases& bases) {
    // Only a cast can produce another value; building an address must not fail.
    return route == DownloadRoute::OfficialStore ? bases.officialStore : bases.domesticMirror;
}

} // namespace

const VersionFileBases& ConfiguredVersionFileBases() {
    // The store keeps each version's folder right under its root folder.
    static const VersionFileBases bases{
        HttpBase(kMirrorHost, "/versions/"),
        HttpBase(kStoreHost, "/Minecraft.Download/"),
    };
    return bases;
}

std::string BuildVersionFileAddress(VersionFileKind kind, DownloadRoute route,
                                    std::string_view version, const VersionFileBases& bases) {
    std::string address = BaseFor(route, bases);
    address.reserve(address.size() + 2 * version.size() + 24);
    address += version;
    address += '/';
    switch (kind) {
    case VersionFileKind::ClientJar:
        address += version;
        address += ".jar";
        break;
    case VersionFileKind::VersionJson:
        address += version;
        address += ".json";
        break;
    case VersionFileKind::ServerJar:
        address += "minecraft_server.";
        address += version;
        address += ".jar";
        break;
    }
    return address;
}
