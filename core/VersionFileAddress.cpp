#include "VersionFileAddress.h"

#include "HttpBase.h"
#include "OldAddressShapes.h"

namespace {

const std::string& BaseFor(DownloadRoute route, const VersionFileBases& bases) {
    // Only a cast can produce another value; building an address must not fail.
    return route == DownloadRoute::OfficialStore ? bases.officialStore : bases.domesticMirror;
}

std::string ConfiguredBase(DownloadRoute route) {
    const OldVersionFolder& folder = OldVersionFolderOf(route);
    return HttpBase(ConfiguredHost(folder.host), folder.folder);
}

} // namespace

const VersionFileBases& ConfiguredVersionFileBases() {
    static const VersionFileBases bases{
        ConfiguredBase(DownloadRoute::DomesticMirror),
        ConfiguredBase(DownloadRoute::OfficialStore),
    };
    return bases;
}

std::string BuildVersionFileAddress(VersionFileKind kind, DownloadRoute route,
                                    std::string_view version, const VersionFileBases& bases) {
    // Only a cast can produce a kind with no file name; the folder is all then.
    const OldVersionFile* file = OldVersionFileOf(kind);
    const std::string& base = BaseFor(route, bases);
    std::string address;
    const std::size_t fileSize =
        file ? file->file.prefix.size() + version.size() + file->file.suffix.size() : 0;
    address.reserve(base.size() + version.size() + kOldVersionFolderEnd.size() + fileSize);
    address += base;
    address += version;
    address += kOldVersionFolderEnd;
    if (file) {
        address += file->file.prefix;
        address += version;
        address += file->file.suffix;
    }
    return address;
}
