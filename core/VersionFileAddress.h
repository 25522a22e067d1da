#pragma once

#include <string>
#include <string_view>

// Which file of a game version: the client's jar, the version's description
// in JSON, or the dedicated server's jar.
enum class VersionFileKind { ClientJar, VersionJson, ServerJar };

// Where it comes from: the domestic mirror or the official download store.
enum class DownloadRoute { DomesticMirror, OfficialStore };

// Address prefixes, each ending in '/', that a version's folder is appended to.
struct VersionFileBases {
    std::string domesticMirror;
    std::string officialStore;
};

// The two prefixes built from the hosts chosen when the program was configured
// and the folders of kOldVersionFolders (OldAddressShapes.h).
const VersionFileBases& ConfiguredVersionFileBases();

// base + version + "/" + file name (kOldVersionFiles), the version going in
// twice exactly as typed: an empty or odd version still makes an address, and
// the server says whether it exists.
std::string BuildVersionFileAddress(VersionFileKind kind, DownloadRoute route,
                                    std::string_view version,
                                    const VersionFileBases& bases = ConfiguredVersionFileBases());
